// The one formatter of the tool's "%lu" / "%s" texts, the same on every platform.
//
// The C libraries disagree on wide formats (on Windows a wide "%s" takes a wide
// string, glibc and mingw's C99 stdio take a narrow one), and a text that comes from
// the language file must never be able to write memory or read arguments that are
// not there. So the tool formats its texts here: every string argument is UTF-16,
// every number is passed as a 64-bit value, and anything the formatter does not know
// (including "%n", "*" widths and floating-point conversions) refuses the whole text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace drux {

class FormatArg {
public:
  FormatArg(unsigned long long v) : kind_(kUnsigned), u_(v) {}
  FormatArg(unsigned long v) : kind_(kUnsigned), u_(v) {}
  FormatArg(unsigned v) : kind_(kUnsigned), u_(v) {}
  FormatArg(long long v) : kind_(kSigned), i_(v) {}
  FormatArg(long v) : kind_(kSigned), i_(v) {}
  FormatArg(int v) : kind_(kSigned), i_(v) {}
  FormatArg(const std::u16string& s) : kind_(kText), s_(&s) {}

  bool IsText() const { return kind_ == kText; }
  const std::u16string& Text() const { return *s_; }
  bool IsNegative() const { return kind_ == kSigned && i_ < 0; }
  // The magnitude of a number.
  unsigned long long Magnitude() const;

private:
  enum Kind { kUnsigned, kSigned, kText } kind_;
  unsigned long long u_ = 0;
  long long i_ = 0;
  const std::u16string* s_ = nullptr;
};

// Formats fmt with args into *out. Conversions: d, i (signed), u, x, X, o (numbers),
// s (UTF-16 text; the "l" and "w" length letters allowed, "h" refused); flags
// "-+ #0", a decimal width and precision, length letters h, l, ll, I64, I32, z, j, t
// (numbers are formatted from their full 64-bit value). "%%" is one percent sign.
// Returns false, leaving *out unchanged, for an unknown or incomplete conversion,
// "%n", a "*", a missing argument or an argument of the wrong kind.
bool FormatText(const std::u16string& fmt, std::initializer_list<FormatArg> args,
                std::u16string* out);

// fmt formatted, or fallback formatted when fmt is refused (fallback is a built-in
// text that the formatter accepts).
std::u16string FormatTextOr(const std::u16string& fmt, const std::u16string& fallback,
                            std::initializer_list<FormatArg> args);

}  // namespace drux
