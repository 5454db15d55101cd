#include "CDialog.h"

#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
  if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

HWND CDialog::GetSafeOwner(HWND parent) {
  HWND hwnd = parent;
  if (!hwnd) {
    CWnd* main = AfxGetMainWnd();
    hwnd = main ? main->m_hWnd : nullptr;
  }
  if (!hwnd || !::IsWindow(hwnd)) return nullptr;
  while (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) {
    HWND up = ::GetParent(hwnd);
    if (!up) break;
    hwnd = up;
  }
  return ::GetLastActivePopup(hwnd);
}

namespace {

HWND ParentHandle(CWnd* parent) {
  if (parent && parent->m_hWnd) return parent->m_hWnd;
  CWnd* main = AfxGetMainWnd();
  return main ? main->m_hWnd : nullptr;
}

}  // namespace

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  if (m_hWnd) return FALSE;
  m_nIDTemplate = templateId;
  if (parent) m_pParentWnd = parent;
  HWND hwnd = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(templateId),
                                   ParentHandle(m_pParentWnd), &CDialog::DialogProc,
                                   reinterpret_cast<LPARAM>(this));
  if (!hwnd) return FALSE;
  // The object is kept with the window from WM_INITDIALOG on.
  return m_hWnd == hwnd;
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd) return -1;
  HWND owner = GetSafeOwner(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
  // DialogBoxParamW disables the owner and enables it again when the dialog ends.
  return ::DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner,
                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int result) {
  if (m_hWnd) ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (!m_hWnd || !msg) return FALSE;
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
  return ::IsDialogMessageW(m_hWnd, msg);
}

void CDialog::CenterWindow(HWND alternateOwner) {
  if (!m_hWnd) return;
  HWND on = alternateOwner ? alternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT area = work;
  if (on && ::IsWindowVisible(on) && !::IsIconic(on)) ::GetWindowRect(on, &area);
  RECT me{};
  ::GetWindowRect(m_hWnd, &me);
  const int w = me.right - me.left;
  const int h = me.bottom - me.top;
  int x = (area.left + area.right - w) / 2;
  int y = (area.top + area.bottom - h) / 2;
  if (x + w > work.right) x = work.right - w;
  if (y + h > work.bottom) y = work.bottom - h;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_INITDIALOG) {
    *result = OnInitDialog();
    return TRUE;
  }
  return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Menu and accelerator commands (code 0 or 1) and button clicks alike.
  const UINT code = HIWORD(wParam);
  if (code == BN_CLICKED || code == 1) {
    switch (LOWORD(wParam)) {
      case IDOK:
        OnOK();
        return TRUE;
      case IDCANCEL:
        OnCancel();
        return TRUE;
      default:
        break;
    }
  }
  return CWnd::OnCommand(wParam, lParam);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandlePermanent(hwnd);
  if (!wnd && message == WM_INITDIALOG && lParam) {
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    if (dialog->Attach(hwnd)) wnd = dialog;
  }
  if (!wnd) return message == WM_INITDIALOG ? TRUE : FALSE;
  return DispatchDialogMessage(wnd, message, wParam, lParam);
}
