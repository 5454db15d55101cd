// Tests of the kind of Windows the installer runs on. Each computes its answer once
// per process; the first answer stands for the whole run.
#pragma once

#include <cstdint>
#include <string_view>

// Platform ids of the version record.
constexpr uint32_t kPlatformWin32Windows = 1;  // Windows 95, 98, Me
constexpr uint32_t kPlatformWin32NT = 2;

// The decisions, free of Windows calls.
constexpr bool IsNT4Version(uint32_t platformId, uint32_t major) {
  return platformId == kPlatformWin32NT && major == 4;
}
constexpr bool IsWin9xVersion(uint32_t platformId, uint32_t /*major*/) {
  return platformId == kPlatformWin32Windows;
}
constexpr bool IsNT5OrLaterVersion(uint32_t platformId, uint32_t major) {
  return platformId == kPlatformWin32NT && major > 4;
}
// True for a 32-bit process on x64 Windows (PROCESSOR_ARCHITEW6432 "AMD64",
// PROCESSOR_ARCHITECTURE "x86") and for a 64-bit process (PROCESSOR_ARCHITEW6432
// empty or unset, PROCESSOR_ARCHITECTURE "AMD64"); both compared ignoring case.
// Never true before NT 5.
bool Is64BitEnvironment(bool nt5OrLater, std::u16string_view architew6432,
                        std::u16string_view architecture);

#ifdef _WIN32
bool IsNT4();
bool IsWin9x();
bool IsNT5OrLater();
bool Is64BitWindows();
#endif
