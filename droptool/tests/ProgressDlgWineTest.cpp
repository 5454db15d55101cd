// The progress window under Xvfb: owner handling, the cancel flag, bar and percentage.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "OwnerWindowTest.h"
#include "ProgressDlg.h"
#include "WineHarness.h"

namespace {

// Before any window of the process.
const bool kUnmanaged = (druxtest::RunWithUnmanagedWindows(), true);

class ProgressWindow : public druxtest::OwnerWindowTest {
protected:
  std::wstring Text(HWND dlg, int id) {
    wchar_t t[256] = {};
    ::GetDlgItemTextW(dlg, id, t, 256);
    return t;
  }
};

TEST_F(ProgressWindow, OwnerIsDisabledWhileUpAndEnabledAfter) {
  {
    CProgressDlg dlg(&ownerWnd_);
    ASSERT_TRUE(dlg.CreateAndShow());
    EXPECT_FALSE(::IsWindowEnabled(owner_));
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(owner_, ::GetWindow(dlg.m_hWnd, GW_OWNER));
    dlg.DestroyWindow();
    EXPECT_TRUE(::IsWindowEnabled(owner_));
  }
  {
    // An early end: only the destructor runs.
    CProgressDlg dlg(&ownerWnd_);
    ASSERT_TRUE(dlg.CreateAndShow());
    EXPECT_FALSE(::IsWindowEnabled(owner_));
  }
  EXPECT_TRUE(::IsWindowEnabled(owner_));
  {
    // An owner that was disabled already stays disabled.
    ::EnableWindow(owner_, FALSE);
    CProgressDlg dlg(&ownerWnd_);
    ASSERT_TRUE(dlg.CreateAndShow());
    dlg.DestroyWindow();
    EXPECT_FALSE(::IsWindowEnabled(owner_));
    ::EnableWindow(owner_, TRUE);
  }
}

TEST_F(ProgressWindow, CancelEscEnterAndCloseSetTheFlagAndLeaveTheWindowOpen) {
  CProgressDlg dlg(&ownerWnd_);
  ASSERT_TRUE(dlg.CreateAndShow());
  HWND button = ::GetDlgItem(dlg.m_hWnd, 1002);
  struct Action {
    const char* name;
    HWND target;
    UINT message;
    WPARAM wParam;
  } actions[] = {
      {"Cancel button", button, BM_CLICK, 0},
      {"Esc", button, WM_KEYDOWN, VK_ESCAPE},
      {"Enter", button, WM_KEYDOWN, VK_RETURN},
      {"close box", dlg.m_hWnd, WM_CLOSE, 0},
      {"system menu Close", dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE},
  };
  for (const Action& a : actions) {
    dlg.m_bCancel = FALSE;
    ::PostMessageW(a.target, a.message, a.wParam, 0);
    dlg.PumpMessages();
    EXPECT_TRUE(dlg.m_bCancel) << a.name;
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd) && dlg.IsWindowVisible()) << a.name;
  }
  dlg.DestroyWindow();
}

TEST_F(ProgressWindow, BarAndPercentage) {
  CProgressDlg dlg(&ownerWnd_);
  ASSERT_TRUE(dlg.CreateAndShow());
  HWND h = dlg.m_hWnd;
  EXPECT_EQ(L"Printing", dlg.GetWindowText().str());
  EXPECT_EQ(L"Cancel", Text(h, 1002));
  EXPECT_EQ(L"0.0 %", Text(h, 1004));
  dlg.SetRange(0);  // a run of 0 bytes: one byte, bar 0 to 1000
  EXPECT_EQ(1000, ::SendDlgItemMessageW(h, 1003, PBM_GETRANGE, FALSE, 0));
  dlg.SetPos(0);
  EXPECT_EQ(L"0.0%", Text(h, 1004));
  dlg.SetRange(2000);
  dlg.SetPos(1000);
  EXPECT_EQ(L"50.0%", Text(h, 1004));
  EXPECT_EQ(500, ::SendDlgItemMessageW(h, 1003, PBM_GETPOS, 0, 0));
  dlg.SetPos(5000);  // a file that grew: never past the end
  EXPECT_EQ(L"100.0%", Text(h, 1004));
  EXPECT_EQ(1000, ::SendDlgItemMessageW(h, 1003, PBM_GETPOS, 0, 0));
  dlg.SetCountText(L"Printing: 2 of 3");
  dlg.SetFileText(L"File: C:\\jobs\\a.ps");
  EXPECT_EQ(L"Printing: 2 of 3", Text(h, 1005));
  EXPECT_EQ(L"File: C:\\jobs\\a.ps", Text(h, 1006));
}

class MissingTemplateDlg : public CProgressDlg {
public:
  explicit MissingTemplateDlg(CWnd* owner) : CProgressDlg(owner) { m_nIDTemplate = 4711; }
};

TEST_F(ProgressWindow, WindowThatCannotBeCreatedGivesTheOwnerBackAndIgnoresCalls) {
  MissingTemplateDlg dlg(&ownerWnd_);
  EXPECT_FALSE(dlg.CreateAndShow());
  EXPECT_TRUE(::IsWindowEnabled(owner_));
  dlg.SetRange(10);
  dlg.SetPos(5);
  dlg.SetCountText(L"x");
  dlg.SetFileText(L"y");
  dlg.PumpMessages();
  EXPECT_FALSE(dlg.m_bCancel);
  dlg.DestroyWindow();
  EXPECT_TRUE(::IsWindowEnabled(owner_));
}

}  // namespace
