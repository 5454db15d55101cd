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

// For a process whose environment was altered: an x64 program runs only on x64
// Windows; a 32-bit one asks the system whether it runs under WOW64 on an x64
// machine. Both calls are looked up at run time (Windows 2000 has neither). An
// Itanium system answers false as before.
bool IsOnX64System() {
#ifdef _WIN64
  return true;
#else
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (!kernel) {
    return false;
  }
  typedef BOOL(WINAPI * IsWow64ProcessFn)(HANDLE, PBOOL);
  typedef void(WINAPI * GetNativeSystemInfoFn)(LPSYSTEM_INFO);
  auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
  auto nativeInfo = reinterpret_cast<GetNativeSystemInfoFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetNativeSystemInfo")));
  if (!isWow64 || !nativeInfo) {
    return false;
  }
  BOOL wow64 = FALSE;
  if (!isWow64(GetCurrentProcess(), &wow64) || !wow64) {
    return false;
  }
  SYSTEM_INFO info;
  ZeroMemory(&info, sizeof info);
  nativeInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
#endif
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
  static const bool answer = [] {
    if (!IsNT5OrLater()) {
      return false;
    }
    if (Is64BitEnvironment(true, Environment(L"PROCESSOR_ARCHITEW6432"),
                           Environment(L"PROCESSOR_ARCHITECTURE"))) {
      return true;
    }
    return IsOnX64System();
  }();
  return answer;
}
