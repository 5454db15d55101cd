// Window wrapper: objects kept with their windows, messages routed to the virtual
// hooks, exceptions stopped at the callback, m_hWnd cleared when the window dies.
#include "CWnd.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const wchar_t kClass[] = L"QvCWndTestWindow";
const UINT kPing = WM_APP + 1;
const UINT kThrow = WM_APP + 2;

class Probe : public CWnd {
public:
  int pings = 0;
  bool gone = false;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == kPing) {
      ++pings;
      *result = LRESULT(wParam) + 1;
      return TRUE;
    }
    if (message == kThrow) throw std::runtime_error("handler failed");
    return CWnd::OnWndMsg(message, wParam, lParam, result);
  }
  void PostNcDestroy() override { gone = true; }
};

// An edit control that upper-cases what it is given, to show subclassing routes
// messages before the control's own procedure.
class Shouting : public CWnd {
public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETTEXT && lParam) {
      std::wstring up(reinterpret_cast<const wchar_t*>(lParam));
      for (auto& c : up) c = wchar_t(towupper(c));
      return DefWindowProc(message, wParam, LPARAM(up.c_str()));
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST(CWnd, OwnClassRoutesMessagesAndStopsExceptions) {
  ASSERT_TRUE(CWnd::RegisterWndClass(kClass));
  Probe probe;
  ASSERT_TRUE(probe.CreateEx(0, kClass, L"probe", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  EXPECT_EQ(CWnd::FromHandlePermanent(probe.m_hWnd), &probe);
  EXPECT_EQ(CWnd::FromHandle(probe.m_hWnd), &probe);
  EXPECT_EQ(probe.SendMessage(kPing, 41), 42);
  EXPECT_EQ(probe.pings, 1);
  EXPECT_EQ(probe.SendMessage(kThrow), 0);  // default answer, no unwinding through Windows
  probe.SetWindowText(L"title");
  EXPECT_EQ(probe.GetWindowText(), CString(L"title"));
  HWND hwnd = probe.m_hWnd;
  EXPECT_TRUE(probe.DestroyWindow());
  EXPECT_TRUE(probe.gone);
  EXPECT_EQ(probe.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(CWnd, SubclassedControlAndHandleOnlyWrappers) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 80, 20, parent,
                              reinterpret_cast<HMENU>(1234), GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  CWnd* wrapped = CWnd::FromHandle(parent);
  ASSERT_NE(wrapped, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(parent), nullptr);
  EXPECT_EQ(wrapped->GetDlgItem(1234)->m_hWnd, edit);
  EXPECT_EQ(wrapped->GetDlgItem(1234), wrapped->GetDlgItem(1234));  // one wrapper per handle
  EXPECT_EQ(wrapped->GetDlgItem(999), nullptr);
  {
    Shouting shouting;
    ASSERT_TRUE(shouting.SubclassDlgItem(1234, wrapped));
    EXPECT_FALSE(Shouting().SubclassWindow(edit));  // one object per window
    wrapped->SetDlgItemText(1234, L"quiet");
    CString text;
    EXPECT_EQ(wrapped->GetDlgItemText(1234, text), 5);
    EXPECT_EQ(text, CString(L"QUIET"));
    EXPECT_EQ(shouting.GetDlgCtrlID(), 1234);
  }
  // The destroyed object unhooked itself; the control goes on with its own procedure.
  EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
  SetWindowTextW(edit, L"quiet");
  CString text;
  wrapped->GetDlgItemText(1234, text);
  EXPECT_EQ(text, CString(L"quiet"));
  DestroyWindow(parent);
}

}  // namespace
