// The version tests on Windows: GetVersionExW and the process environment.
#include <windows.h>

#include <string>

#include "WinVersion.h"

namespace {

struct VersionFacts {
  uint32_t platformId = 0;
  uint32_t major = 0;
};

// A failing GetVersionExW leaves the zeroed values, so every test answers false.
VersionFacts ReadVersion() {
  OSVERSIONINFOW info;
  ZeroMemory(&info, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  static_assert(sizeof(OSVERSIONINFOW) == 276, "wide-character version record");
  VersionFacts facts;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  if (GetVersionExW(&info)) {
    facts.platformId = info.dwPlatformId;
    facts.major = info.dwMajorVersion;
  }
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  return facts;
}

const VersionFacts& Version() {
  static const VersionFacts facts = ReadVersion();
  return facts;
}

// An unset variable counts as empty text.
std::u16string Environment(const wchar_t* name) {
  DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) {
    return std::u16string();
  }
  std::wstring value(size, L'\0');
  DWORD got = GetEnvironmentVariableW(name, &value[0], size);
  if (got == 0 || got >= size) {
    return std::u16string();
  }
  return std::u16string(reinterpret_cast<const char16_t*>(value.c_str()), got);
}

}  // namespace

bool IsNT4() {
  static const bool answer = IsNT4Version(Version().platformId, Version().major);
  return answer;
}

bool IsWin9x() {
  static const bool answer = IsWin9xVersion(Version().platformId, Version().major);
  return answer;
}

bool IsNT5OrLater() {
  static const bool answer = IsNT5OrLaterVersion(Version().platformId, Version().major);
  return answer;
}

bool Is64BitWindows() {
  // Only the process environment decides (Windows sets it for the bitness of
  // each process); every other combination than Is64BitEnvironment's two is not
  // 64-bit Windows.
  static const bool answer =
      IsNT5OrLater() && Is64BitEnvironment(true, Environment(L"PROCESSOR_ARCHITEW6432"),
                                           Environment(L"PROCESSOR_ARCHITECTURE"));
  return answer;
}
