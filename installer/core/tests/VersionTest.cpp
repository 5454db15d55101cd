// Runs the version probe under Wine's per-program Windows versions. Changes the
// prefix's registry, so it runs in a prefix of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr DWORD kNT4 = 1, kWin9x = 2, kNT5OrLater = 4, k64Bit = 8;

std::wstring ProbePath() {
  wchar_t self[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  return path.substr(0, path.rfind(L'\\') + 1) + L"twkcore_probe.exe";
}

void SetProbeVersion(const wchar_t* version) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\twkcore_probe.exe",
                            0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
  LONG rc = version ? RegSetValueExW(key, L"Version", 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(version),
                                     DWORD((wcslen(version) + 1) * sizeof(wchar_t)))
                    : RegDeleteValueW(key, L"Version");
  RegCloseKey(key);
  ASSERT_TRUE(rc == ERROR_SUCCESS || (!version && rc == ERROR_FILE_NOT_FOUND));
}

DWORD RunProbe() {
  std::wstring cmd = L"\"" + ProbePath() + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "probe not started: " << GetLastError();
    return 0xFFFFFFFF;
  }
  DWORD code = 0xFFFFFFFF;
  if (WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(pi.hProcess, &code);
  } else {
    TerminateProcess(pi.hProcess, 1);
    ADD_FAILURE() << "probe did not end";
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

// Sets a variable of this process (null removes it) for the probes it starts, and
// puts the old value back when it goes.
class ScopedVariable {
public:
  ScopedVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
    wchar_t old[64];
    const DWORD n = GetEnvironmentVariableW(name, old, 64);
    had_ = n > 0 && n < 64;
    if (had_) old_.assign(old, n);
    SetEnvironmentVariableW(name, value);
  }
  ~ScopedVariable() { SetEnvironmentVariableW(name_, had_ ? old_.c_str() : nullptr); }

private:
  const wchar_t* name_;
  bool had_ = false;
  std::wstring old_;
};

// The environment alone decides on 64-bit Windows: a process whose variables name
// another processor answers false, whatever the machine is.
TEST(WindowsVersion, SixtyFourBitOnlyFromTheEnvironment) {
  SetProbeVersion(nullptr);
  const struct {
    const wchar_t* w6432;
    const wchar_t* architecture;
    DWORD bits;
  } cases[] = {
      {nullptr, L"x86", kNT5OrLater},   // 32-bit Windows
      {nullptr, L"IA64", kNT5OrLater},  // Itanium
      {L"AMD64", L"x86", kNT5OrLater | k64Bit},
      {nullptr, L"amd64", kNT5OrLater | k64Bit},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.architecture);
    ScopedVariable w6432(L"PROCESSOR_ARCHITEW6432", c.w6432);
    ScopedVariable architecture(L"PROCESSOR_ARCHITECTURE", c.architecture);
    EXPECT_EQ(c.bits, RunProbe());
  }
}

TEST(WindowsVersion, AnswersUnderEachWindowsVersion) {
  struct Case {
    const wchar_t* version;
    DWORD bits;
  } cases[] = {
      {nullptr, kNT5OrLater | k64Bit},  // the prefix's default Windows 7
      {L"win98", kWin9x},
      {L"win95", kWin9x},
      {L"nt40", kNT4},
      {L"winxp64", kNT5OrLater | k64Bit},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version ? c.version : L"default");
    SetProbeVersion(c.version);
    EXPECT_EQ(c.bits, RunProbe());
  }
}

}  // namespace
