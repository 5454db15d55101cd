// DRUX.exe as its own process (the x86_64 build here, the i686 deliverable where 32-bit
// programs run): the main dialog with and without a language file, its ways out, and
// the command-line mode's printer menu at the cursor.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <winspool.h>

#include "AppTestKit.h"
#include "resource.h"

namespace {

using druxtest::CapturePrinter;

struct Found {
  DWORD pid;
  const wchar_t* cls;
  HWND hwnd;
};

BOOL CALLBACK FindOfProcess(HWND hwnd, LPARAM param) {
  Found* f = reinterpret_cast<Found*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[32] = {};
  ::GetClassNameW(hwnd, cls, 32);
  if (pid == f->pid && ::IsWindowVisible(hwnd) && std::wstring(cls) == f->cls) {
    f->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The visible top-level window of class cls of process pid, waiting up to 30 s.
HWND WaitForWindow(DWORD pid, const wchar_t* cls) {
  for (int i = 0; i < 600; ++i) {
    Found f{pid, cls, nullptr};
    ::EnumWindows(&FindOfProcess, reinterpret_cast<LPARAM>(&f));
    if (f.hwnd) return f.hwnd;
    ::Sleep(50);
  }
  return nullptr;
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[512] = {};
  ::GetDlgItemTextW(dialog, id, text, 512);
  return text;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[512] = {};
  ::GetWindowTextW(hwnd, text, 512);
  return text;
}

class Program : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ::OleInitialize(nullptr);  // for the shortcut this test makes
    std::wstring error;
    ready_ = druxtest::AddPrinterCapturing(L"DRUX Zeta", L"DRUXPZETA:", "pzeta", &zeta_, &error) &&
             druxtest::AddPrinterCapturing(L"DRUX alpha", L"DRUXPALPHA:", "palpha", &alpha_, &error) &&
             druxtest::AddPrinterCapturing(L"A&B", L"DRUXPAB:", "pab", &ab_, &error);
    ready_ = ready_ && ::SetDefaultPrinterW(L"DRUX Zeta");
    setupError_ = error;
    // The program beside a language file of its own, in a folder of this run.
    wchar_t module[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring built = module;
    built = built.substr(0, built.rfind(L'\\'));
    built = built.substr(0, built.rfind(L'\\')) + L"\\DRUX.exe";
    wchar_t dir[64];
    std::swprintf(dir, 64, L"C:\\drux-program-%lu", ::GetCurrentProcessId());
    dir_ = dir;
    ::CreateDirectoryW(dir_.c_str(), nullptr);
    exe_ = dir_ + L"\\DRUX.exe";
    ready_ = ready_ && ::CopyFileW(built.c_str(), exe_.c_str(), FALSE);
    if (!ready_ && setupError_.empty()) setupError_ = L"copy of " + built;
  }
  static void TearDownTestSuite() {
    // The other tests of this program see only their own printers.
    HANDLE h = nullptr;
    if (::OpenPrinterW(const_cast<LPWSTR>(L"A&B"), &h, nullptr)) {
      ::DeletePrinter(h);
      ::ClosePrinter(h);
    }
  }
  void SetUp() override {
    ASSERT_TRUE(ready_) << std::string(setupError_.begin(), setupError_.end());
    for (auto* p : {&zeta_, &alpha_, &ab_}) druxtest::ClearJobs(p->dir);
    ::DeleteFileW((dir_ + L"\\DRUX.ini").c_str());
  }
  void TearDown() override {
    if (process_.hProcess) {
      if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
        ::TerminateProcess(process_.hProcess, 99);
      ::CloseHandle(process_.hProcess);
      ::CloseHandle(process_.hThread);
    }
  }
  void Start(const std::wstring& arguments) {
    std::wstring line = L"\"" + exe_ + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    ASSERT_TRUE(::CreateProcessW(exe_.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 dir_.c_str(), &si, &process_));
  }
  // The exit code, or -1 when the program did not end within 30 s.
  long WaitForEnd() {
    if (::WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return long(code);
  }
  std::wstring File(const wchar_t* name, std::vector<uint8_t> bytes) {
    const std::wstring path = dir_ + L"\\" + name;
    druxtest::WriteFileBytes(path, bytes);
    return path;
  }

  static bool ready_;
  static std::wstring setupError_, dir_, exe_;
  static CapturePrinter zeta_, alpha_, ab_;
  PROCESS_INFORMATION process_{};
};
bool Program::ready_ = false;
std::wstring Program::setupError_, Program::dir_, Program::exe_;
CapturePrinter Program::zeta_, Program::alpha_, Program::ab_;

TEST_F(Program, WithoutArgumentsShowsTheDialogWithItsDefaultTextsAndQuitEndsIt) {
  Start(L"");
  HWND dlg = WaitForWindow(process_.dwProcessId, L"#32770");
  ASSERT_TRUE(dlg);
  EXPECT_EQ(L"DRUX", WindowText(dlg));
  EXPECT_EQ(L"Version: 2.0.6", ItemText(dlg, IDC_LBL_VERSION));
  EXPECT_EQ(L"Download", ItemText(dlg, IDC_BTN_DOWNLOAD));
  EXPECT_EQ(L"Quit", ItemText(dlg, IDC_BTN_END));
  EXPECT_EQ(L"Remove", ItemText(dlg, IDC_BTN_REMOVEFROMLIST));
  EXPECT_EQ(L"Add Files...", ItemText(dlg, IDC_BTN_FILESELECT));
  EXPECT_EQ(L"Files", ItemText(dlg, IDC_GRP_FILES));
  EXPECT_EQ(L"Printer", ItemText(dlg, IDC_GRP_PRINTERS));
  HWND printers = ::GetDlgItem(dlg, IDC_LST_PRINTERS);
  // The list box's own order (case ignored), the default printer selected.
  EXPECT_THAT(druxtest::ListEntries(printers),
              ::testing::ElementsAre(L"A&B", L"DRUX alpha", L"DRUX Zeta"));
  EXPECT_EQ(2, druxtest::ListSelection(printers));
  ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_BTN_END, BN_CLICKED), 0);
  EXPECT_EQ(0, WaitForEnd());
}

TEST_F(Program, TextsFromTheLanguageFileBesideItAndEscEndsIt) {
  const char ini[] =
      "[DRUX]\r\n"
      "IDC_DLG_CAPTION=DRUX Drucken\r\n"
      "IDC_BTN_END=Beenden\r\n"
      "IDC_BTN_FILESELECT=Dateien\\nhinzuf\\xfcgen...\r\n"
      "IDC_LBL_VERSION=Version: %s\r\n"
      "IDC_GRP_FILES=%s\r\n"  // a conversion its default lacks: refused
      "DX_Language=Deutsch\r\n";
  ASSERT_TRUE(druxtest::WriteFileBytes(dir_ + L"\\DRUX.ini",
                                       std::vector<uint8_t>(ini, ini + sizeof ini - 1)));
  Start(L"");
  HWND dlg = WaitForWindow(process_.dwProcessId, L"#32770");
  ASSERT_TRUE(dlg);
  EXPECT_EQ(L"DRUX Drucken", WindowText(dlg));
  EXPECT_EQ(L"Version: 2.0.6 [Deutsch]", ItemText(dlg, IDC_LBL_VERSION));
  EXPECT_EQ(L"Beenden", ItemText(dlg, IDC_BTN_END));
  EXPECT_EQ(L"Dateien\nhinzuf\u00fcgen...", ItemText(dlg, IDC_BTN_FILESELECT));
  EXPECT_EQ(L"Files", ItemText(dlg, IDC_GRP_FILES));
  ::PostMessageW(::GetDlgItem(dlg, IDC_LST_FILES), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(0, WaitForEnd());
}

TEST_F(Program, CarriesVersionTwoZeroSix) {
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(exe_.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(::GetFileVersionInfoW(exe_.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(MAKELONG(0, 2), LONG(fixed->dwFileVersionMS));
  EXPECT_EQ(MAKELONG(0, 6), LONG(fixed->dwFileVersionLS));
  wchar_t* text = nullptr;
  ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\StringFileInfo\\040904b0\\FileVersion",
                               reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(L"2.0.6", text);
}

TEST_F(Program, AHostileLanguageFileGivesDefaultsWhereItIsRefusedAndNoCrash) {
  std::string ini = "[DRUX]\r\n";
  ini += "IDC_LBL_VERSION=%s %s %n %999999999s\r\n";  // other conversions: refused
  ini += "IDC_DLG_CAPTION=" + std::string(8000, 'C') + "\r\n";  // long: read whole
  ini += "IDC_BTN_END=\\x\\\\\\777\\\r\n";         // escapes cut short
  ini += "IDC_GRP_PRINTERS=100%\r\n";                      // a lone percent sign
  ini += "DX_Language=" + std::string(3000, 'L') + "\r\n";
  ini += "IDS_FILEFILTER=||||\r\n";
  ASSERT_TRUE(druxtest::WriteFileBytes(dir_ + L"\\DRUX.ini",
                                       std::vector<uint8_t>(ini.begin(), ini.end())));
  Start(L"");
  HWND dlg = WaitForWindow(process_.dwProcessId, L"#32770");
  ASSERT_TRUE(dlg);
  wchar_t caption[9000] = {};
  ::GetWindowTextW(dlg, caption, 9000);
  EXPECT_EQ(std::wstring(8000, L'C'), caption);
  wchar_t version[4000] = {};
  ::GetDlgItemTextW(dlg, IDC_LBL_VERSION, version, 4000);
  EXPECT_EQ(L"Version: 2.0.6 [" + std::wstring(3000, L'L') + L"]", version);
  EXPECT_EQ(L"Printer", ItemText(dlg, IDC_GRP_PRINTERS));
  ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_BTN_END, BN_CLICKED), 0);
  EXPECT_EQ(0, WaitForEnd());
}

TEST_F(Program, TheCloseBoxEndsIt) {
  Start(L"");
  HWND dlg = WaitForWindow(process_.dwProcessId, L"#32770");
  ASSERT_TRUE(dlg);
  ::PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(0, WaitForEnd());
}

TEST_F(Program, WithFilesTheMenuAtTheCursorPrintsThemToTheChosenPrinter) {
  const std::vector<uint8_t> a = {'%', '!', 'P', 'S', 0x00, 0x1A}, b = {'P', 'R', 'N', '\r', '\n'};
  const std::wstring pa = File(L"a.ps", a), pb = File(L"b.prn", b);
  const std::wstring link = dir_ + L"\\a.lnk";
  ASSERT_TRUE(druxtest::MakeShortcut(link, pa));
  std::vector<uint8_t> linkBytes;
  {
    HANDLE h = ::CreateFileW(link.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    uint8_t buffer[65536];
    DWORD n = 0;
    ASSERT_TRUE(::ReadFile(h, buffer, sizeof buffer, &n, nullptr));
    linkBytes.assign(buffer, buffer + n);
    ::CloseHandle(h);
  }
  ASSERT_TRUE(::SetCursorPos(300, 200));
  Start(L"\"" + pa + L"\" \"" + dir_ + L"\" \"" + pb + L"\" \"" + link + L"\"");
  HWND menu = WaitForWindow(process_.dwProcessId, L"#32768");
  ASSERT_TRUE(menu);
  RECT r{};
  ::GetWindowRect(menu, &r);
  EXPECT_EQ(300, r.left);
  EXPECT_EQ(200, r.top);
  // By code unit: "A&B", "DRUX Zeta", "DRUX alpha". The second is DRUX Zeta.
  ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
  ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
  ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(0, WaitForEnd());
  const auto jobs = druxtest::ReadJobs(zeta_.dir);
  ASSERT_EQ(3u, jobs.size());  // the folder is skipped, the shortcut goes as itself
  EXPECT_EQ(a, jobs[0]);
  EXPECT_EQ(b, jobs[1]);
  EXPECT_EQ(linkBytes, jobs[2]);
  EXPECT_TRUE(druxtest::ReadJobs(alpha_.dir).empty());
  EXPECT_TRUE(druxtest::ReadJobs(ab_.dir).empty());
}

TEST_F(Program, EscClosesTheMenuAndNothingIsPrinted) {
  const std::wstring pa = File(L"esc.ps", {'e'});
  Start(L"\"" + pa + L"\"");
  HWND menu = WaitForWindow(process_.dwProcessId, L"#32768");
  ASSERT_TRUE(menu);
  ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(0, WaitForEnd());
  for (auto* p : {&zeta_, &alpha_, &ab_}) EXPECT_TRUE(druxtest::ReadJobs(p->dir).empty());
}

}  // namespace
