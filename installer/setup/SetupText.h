// Small text helpers shared by the driver installation and the printer creation.
// Text is UTF-16 (char16_t); the Windows build reinterprets wchar_t buffers as it.
#pragma once

#include <cstdint>
#include <string>

namespace twk::setup {

using Text = std::u16string;

// Which kind of Windows the installer runs on. The Windows build fills it from
// IsWin9x, IsNT4 and Is64BitWindows; the rules below only read it.
struct WindowsKind {
  bool win9x = false;
  bool nt4 = false;
  bool x64 = false;
};

// Win32 codes that the portable rules answer themselves.
constexpr uint32_t kErrorInvalidData = 13;        // ERROR_INVALID_DATA
constexpr uint32_t kErrorGenFailure = 31;         // ERROR_GEN_FAILURE
constexpr uint32_t kErrorInsufficientBuffer = 122;  // ERROR_INSUFFICIENT_BUFFER

// A failed call must never be reported as 0 (success), even when the platform
// left no last error behind.
inline uint32_t FailureCode(uint32_t lastError) { return lastError ? lastError : kErrorGenFailure; }

// Integer value of text read the way C's strtol reads decimals: leading blanks,
// an optional sign, digits up to the first non-digit; no digits gives 0. The value
// saturates at the 32-bit limits.
int32_t CDecimalToInt32(const Text& text);

// The decimal value of `text` (read as above, without any limit) plus one, as
// decimal text. Works on the digits themselves, so it cannot overflow.
Text IncrementCDecimal(const Text& text);

// The C locale's lower-casing: only A-Z change.
Text ToLowerAscii(Text text);

// Compares ignoring the case of ASCII and Latin-1 letters (the printer names the
// spooler keeps are compared without case).
bool EqualIgnoringCase(const Text& a, const Text& b);

Text ToText(uint64_t value);

}  // namespace twk::setup
