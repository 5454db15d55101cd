// The file dialog under Wine, filled in by a hook as a user would: typed names,
// confirmed or cancelled.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CFileDialog.h"

namespace {

// What the test's hook types into the name box before it presses the button.
std::wstring g_typed;
int g_button = IDOK;
int g_hookInits = 0;
LPARAM g_hookData = 0;

UINT_PTR CALLBACK TypingHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ++g_hookInits;
    g_hookData = reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData;
  }
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
    const HWND dialog = ::GetParent(hook);
    ::SendMessageW(dialog, CDM_SETCONTROLTEXT, 0x47c, reinterpret_cast<LPARAM>(g_typed.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(g_button, BN_CLICKED), 0);
  }
  return 0;
}

// A box the dialog shows (a refused name, a buffer too small) would wait for a user:
// it is counted and closed instead.
int g_boxes = 0;

LRESULT CALLBACK CloseBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    const HWND hwnd = reinterpret_cast<HWND>(wParam);
    wchar_t cls[16] = {};
    ::GetClassNameW(hwnd, cls, 16);
    if (std::wstring(cls) == L"#32770" && !::GetDlgItem(hwnd, 0x47c)) {
      ++g_boxes;
      ::PostMessageW(hwnd, WM_COMMAND, ::GetDlgItem(hwnd, IDOK) ? IDOK : IDCANCEL, 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class FileDialogOnWine : public ::testing::Test {
protected:
  void SetUp() override {
    g_boxes = 0;
    boxHook_ = ::SetWindowsHookExW(WH_CBT, &CloseBoxes, nullptr, ::GetCurrentThreadId());
    wchar_t name[64];
    std::swprintf(name, 64, L"C:\\filedialog-%lu", ::GetCurrentProcessId());
    dir_ = name;
    ::CreateDirectoryW(dir_.c_str(), nullptr);
    g_hookInits = 0;
    g_button = IDOK;
  }
  void TearDown() override {
    ::UnhookWindowsHookEx(boxHook_);
    EXPECT_EQ(0, g_boxes);
    for (const auto& f : files_) ::DeleteFileW(f.c_str());
    ::RemoveDirectoryW(dir_.c_str());
  }
  std::wstring Make(const std::wstring& name) {
    const std::wstring path = dir_ + L"\\" + name;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    files_.push_back(path);
    return path;
  }
  void Prepare(CFileDialog& dlg) {
    dlg.m_ofn.lpstrInitialDir = dir_.c_str();
    dlg.m_ofn.Flags |= OFN_ENABLEHOOK;
    dlg.m_ofn.lpfnHook = &TypingHook;
    dlg.m_ofn.lCustData = 4711;
  }
  std::wstring dir_;
  std::vector<std::wstring> files_;
  HHOOK boxHook_ = nullptr;
};

TEST_F(FileDialogOnWine, MultiSelectGrowsItsBufferAndGivesFullPathsInOrder) {
  std::vector<std::wstring> expected;
  g_typed.clear();
  for (int i = 0; i < 40; ++i) {
    wchar_t name[64];
    std::swprintf(name, 64, L"print job number %02d with a long name.ps", i);
    expected.push_back(Make(name));
    g_typed += L"\"" + std::wstring(name) + L"\" ";
  }
  CFileDialog dlg(TRUE, nullptr, nullptr,
                  OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                  L"PostScript Files (*.ps)|*.ps|All Files (*.*)|*.*");
  dlg.SetFileBuffer(64);  // far too small for forty names
  Prepare(dlg);
  ASSERT_EQ(IDOK, dlg.DoModal()) << "error " << dlg.GetError();
  EXPECT_EQ(1, g_hookInits);  // the caller's hook still runs
  EXPECT_EQ(4711, dlg.m_ofn.lCustData);
  EXPECT_EQ(&TypingHook, dlg.m_ofn.lpfnHook);
  std::vector<std::wstring> got;
  for (POSITION pos = dlg.GetStartPosition(); pos;) got.push_back(dlg.GetNextPathName(pos).str());
  EXPECT_EQ(expected, got);
  EXPECT_EQ(expected.front(), dlg.GetPathName().str());
}

TEST_F(FileDialogOnWine, OneFileOfSeveralComesBackAsItsFullPath) {
  const std::wstring path = Make(L"single.prn");
  g_typed = L"single.prn";
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT, nullptr);
  Prepare(dlg);
  ASSERT_EQ(IDOK, dlg.DoModal()) << "error " << dlg.GetError();
  POSITION pos = dlg.GetStartPosition();
  ASSERT_NE(nullptr, pos);
  EXPECT_EQ(path, dlg.GetNextPathName(pos).str());
  EXPECT_EQ(nullptr, pos);
}

TEST_F(FileDialogOnWine, OpenOneFile) {
  const std::wstring path = Make(L"driver.inf");
  g_typed = L"driver.inf";
  CFileDialog dlg(TRUE, L"inf", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, L"*.inf|*.inf||");
  Prepare(dlg);
  ASSERT_EQ(IDOK, dlg.DoModal()) << "error " << dlg.GetError();
  EXPECT_EQ(4711, g_hookData);  // a single-file dialog hands the caller's data on unchanged
  EXPECT_EQ(path, dlg.GetPathName().str());
  EXPECT_EQ(L"driver.inf", dlg.GetFileName().str());
  EXPECT_EQ(L"inf", dlg.GetFileExt().str());
}

TEST_F(FileDialogOnWine, CancelGivesNoNameAndNoError) {
  Make(L"a.ps");
  g_typed = L"a.ps";
  g_button = IDCANCEL;
  CFileDialog dlg(TRUE, nullptr, L"initial.ps", OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT);
  Prepare(dlg);
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ(0u, dlg.GetError());
  EXPECT_EQ(nullptr, dlg.GetStartPosition());
  EXPECT_TRUE(dlg.GetPathName().IsEmpty());
}

}  // namespace
