// The finished installer program, started with a language file beside it and driven
// from outside through window messages: its wizard, the version line with the file's
// language, Next and Cancel. For tarnwick.exe (QV_HANDOFF=1) in a 64-bit prefix, the
// wizard must come from the 64-bit program that it wrote to a "TW" temporary file,
// and that file must be gone once both programs have ended.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "Screenshot.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring Widen(const char* s) { return std::wstring(s, s + strlen(s)); }

// A Unix path as Wine's Z: drive sees it.
std::wstring DosPath(const char* unixPath) {
  std::wstring p = L"Z:" + Widen(unixPath);
  for (auto& c : p)
    if (c == L'/') c = L'\\';
  return p;
}

std::wstring Text(HWND window) {
  wchar_t buffer[512] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000,
                      nullptr);
  return buffer;
}

struct Found {
  DWORD process;
  HWND window;
};

BOOL CALLBACK FindWizard(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (IsWindowVisible(window) && std::wstring(cls) == L"#32770" && pid != GetCurrentProcessId()) {
    found->process = pid;
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

// The visible wizard of another process, waited for up to 30 s.
Found WaitForWizard() {
  for (int i = 0; i < 300; ++i) {
    Found found{0, nullptr};
    EnumWindows(FindWizard, reinterpret_cast<LPARAM>(&found));
    if (found.window) {
      Sleep(500);  // let it finish its first activation
      return found;
    }
    Sleep(100);
  }
  return Found{0, nullptr};
}

HWND CurrentPage(HWND sheet) {
  DWORD_PTR page = 0;
  SendMessageTimeoutW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_BLOCK, 5000, &page);
  return reinterpret_cast<HWND>(page);
}


std::wstring ImageOf(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return L"";
  wchar_t name[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  QueryFullProcessImageNameW(process, 0, name, &size);
  CloseHandle(process);
  return name;
}

// Ends the programs a failed test leaves running, and removes its files.
struct Cleanup {
  HANDLE process = nullptr;
  DWORD child = 0;
  std::wstring files[2];
  std::wstring dir;
  ~Cleanup() {
    if (child) {
      if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, child)) {
        TerminateProcess(h, 1);
        CloseHandle(h);
      }
    }
    if (process) {
      if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
    for (const auto& f : files) DeleteFileW(f.c_str());
    if (!dir.empty()) RemoveDirectoryW(dir.c_str());
  }
};

TEST(Program, ShowsTheWizardWithTheLanguageFileBesideIt) {
  Cleanup cleanup;
  const char* program = getenv("QV_PROGRAM");
  ASSERT_NE(program, nullptr) << "QV_PROGRAM names the installer program";
  const bool handoff = getenv("QV_HANDOFF") && std::string(getenv("QV_HANDOFF")) == "1";

  // The program and its language file in a directory of their own.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"twkprogram";
  CreateDirectoryW(dir.c_str(), nullptr);
  cleanup.dir = dir;
  const std::wstring exe = dir + (handoff ? L"\\tarnwick.exe" : L"\\tarnwick64.exe");
  ASSERT_TRUE(CopyFileW(DosPath(program).c_str(), exe.c_str(), FALSE)) << GetLastError();
  const std::wstring lng = dir + L"\\twk.lng";
  cleanup.files[0] = exe;
  cleanup.files[1] = lng;
  FILE* f = _wfopen(lng.c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  fputs("[Tarnwick2]\r\nIDS_LOCAL=Testsprache\r\n", f);
  fclose(f);

  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                             dir.c_str(), &startup, &process))
      << GetLastError();
  cleanup.process = process.hProcess;
  CloseHandle(process.hThread);

  const Found wizard = WaitForWizard();
  ASSERT_NE(wizard.window, nullptr) << "no wizard window appeared";
  if (wizard.process != process.dwProcessId) cleanup.child = wizard.process;
  const std::wstring image = ImageOf(wizard.process);
  if (handoff) {
    // The wizard belongs to the 64-bit copy in the temporary directory.
    EXPECT_NE(wizard.process, process.dwProcessId);
    const std::wstring base = image.substr(image.find_last_of(L'\\') + 1);
    EXPECT_EQ(base.substr(0, 2), L"TW") << image;
    EXPECT_NE(GetFileAttributesW(image.c_str()), INVALID_FILE_ATTRIBUTES);
  } else {
    EXPECT_EQ(wizard.process, process.dwProcessId);
  }

  HWND page = CurrentPage(wizard.window);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(Text(GetDlgItem(page, 1082)), L"v2.1.66 - Testsprache");
  EXPECT_EQ(Text(wizard.window), L"Tarnwick");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(wizard.window, 0x3023)));  // Back
  HWND help = GetDlgItem(wizard.window, 9);
  EXPECT_TRUE(!help || !IsWindowVisible(help));
  Screenshot(wizard.window, handoff ? "x86-program-welcome" : "x64-program-welcome");

  PostMessageW(wizard.window, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  Sleep(1000);
  page = CurrentPage(wizard.window);
  ASSERT_NE(page, nullptr);
  EXPECT_NE(GetDlgItem(page, 1003), nullptr);  // page 7's first control
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(wizard.window, 0x3023)));
  Screenshot(wizard.window, handoff ? "x86-program-page07" : "x64-program-page07");

  // Cancel closes the wizard at once; the program ends (and the hand-off after it).
  PostMessageW(wizard.window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
  if (handoff) {
    for (int i = 0; i < 50 && GetFileAttributesW(image.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    EXPECT_EQ(GetFileAttributesW(image.c_str()), INVALID_FILE_ATTRIBUTES) << "temporary copy left";
  }
}

}  // namespace
