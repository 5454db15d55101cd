// CWnd: the base window wrapper of our small class library (Windows builds only).
//
// A CWnd holds one HWND in m_hWnd. An object is "kept with" its window in a
// process-wide table, so FromHandlePermanent finds it from any callback. Messages reach
// an object in one of two ways:
//   - windows that we subclass or create (SubclassWindow, CreateEx) run through the one
//     static window procedure StdWndProc, which calls the virtual WindowProc;
//   - dialog-based kinds (dialogs, property pages) have their own static dialog
//     procedure and hand each message to DispatchDialogMessage below.
// Both end in the virtual OnWndMsg, the one hook a derived class overrides to handle
// messages. No C++ exception leaves a callback: the static procedures catch everything
// at the boundary and answer the message's default result.
//
// Lifetime: the object does not own the window. Its destructor unhooks itself (restores
// the original window procedure, leaves the table) but never destroys the window;
// call DestroyWindow for that. After WM_NCDESTROY m_hWnd is cleared and PostNcDestroy
// is called.
#pragma once

#include <windows.h>

#include "CString.h"
#include "RuntimeClass.h"

class CWnd;

// Data exchange between a dialog-based window and its members (DoDataExchange).
// Only control binding is provided: DDX_Control subclasses control id of the
// dialog with the member object the first time it is called.
class CDataExchange {
public:
  CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
      : m_pDlgWnd(dlgWnd), m_bSaveAndValidate(saveAndValidate) {}
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

class CWnd {
  DECLARE_DYNAMIC_ROOT(CWnd)

public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;

  bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object kept with hwnd, or nullptr.
  static CWnd* FromHandlePermanent(HWND hwnd);
  // The object kept with hwnd, or else a handle-only wrapper owned by the calling
  // thread (valid for the thread's life; it holds nothing but the handle value).
  // nullptr only for a null hwnd.
  static CWnd* FromHandle(HWND hwnd);

  // Keep this object with hwnd without routing its messages (dialog-based kinds use
  // this from their dialog procedure). Fails when hwnd already has an object.
  BOOL Attach(HWND hwnd);
  HWND Detach();
  // Keep this object with hwnd and route its messages through WindowProc.
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  // Registers (once per name) a window class whose procedure is StdWndProc.
  static BOOL RegisterWndClass(LPCWSTR className, UINT style = CS_HREDRAW | CS_VREDRAW,
                               HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                               HICON icon = nullptr);
  // Creates a window. For a class registered with RegisterWndClass the object sees
  // every message from the first one on; for other classes it subclasses the window
  // once CreateWindowExW returns.
  BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                int y, int width, int height, HWND parent, HMENU menuOrId,
                LPVOID param = nullptr);
  virtual BOOL DestroyWindow();

  // Message hooks. WindowProc is called for routed windows; it calls OnWndMsg and
  // falls back to DefWindowProc. OnWndMsg answers TRUE when it handled the message
  // and then sets *result; the base sends WM_COMMAND to OnCommand and WM_NOTIFY to
  // OnNotify.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Called by message loops before dispatching; TRUE means the message was used up.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Binds members to controls (DDX_Control); called by UpdateData.
  virtual void DoDataExchange(CDataExchange*) {}
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  // Called after the window is gone (m_hWnd already cleared).
  virtual void PostNcDestroy() {}
  // The original window procedure (subclassed windows) or DefWindowProcW.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Thin wrappers.
  CWnd* GetDlgItem(int id) const;
  HWND GetDlgItemHwnd(int id) const { return ::GetDlgItem(m_hWnd, id); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text ? text : L""); }
  void GetWindowText(CString& text) const;
  CString GetWindowText() const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
  void SetDlgItemText(int id, LPCWSTR text) { ::SetDlgItemTextW(m_hWnd, id, text ? text : L""); }
  int GetDlgItemText(int id, CString& text) const;
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
  }
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) {
    ::SetDlgItemInt(m_hWnd, id, value, isSigned);
  }
  void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
  UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
  void CheckRadioButton(int first, int last, int check) {
    ::CheckRadioButton(m_hWnd, first, last, check);
  }
  // The id of the checked button among first..last, 0 when none is checked.
  int GetCheckedRadioButton(int first, int last) const;
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
  }
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam);
  }
  void SetFont(HFONT font, BOOL redraw = TRUE) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
  HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
  HICON SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
    return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
  }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
  void ScreenToClient(POINT* pt) const { ::ScreenToClient(m_hWnd, pt); }
  void ClientToScreen(POINT* pt) const { ::ClientToScreen(m_hWnd, pt); }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL RedrawWindow(const RECT* rect = nullptr, HRGN region = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
    return ::RedrawWindow(m_hWnd, rect, region, flags);
  }
  void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw); }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc = nullptr) {
    return ::SetTimer(m_hWnd, id, elapseMs, proc);
  }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  DWORD GetStyle() const { return DWORD(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return DWORD(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
  int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK) {
    return ::MessageBoxW(m_hWnd, text, caption, type);
  }

protected:
  // The one window procedure of routed windows.
  static LRESULT CALLBACK StdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // For the dialog procedures of dialog-based kinds: hands one message to wnd's OnWndMsg
  // and answers what a dialog procedure must return (TRUE/FALSE with DWLP_MSGRESULT
  // set, or the value itself for the messages that answer directly). After
  // WM_NCDESTROY it detaches wnd and calls PostNcDestroy. Never throws.
  static INT_PTR DispatchDialogMessage(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
  void HookTo(HWND hwnd);   // sets m_hWnd and the property
  void Unhook();            // restores the procedure, removes the property
  void OnFinalNcDestroy();  // after WM_NCDESTROY

  WNDPROC m_pfnSuper = nullptr;  // original procedure while subclassed
};
