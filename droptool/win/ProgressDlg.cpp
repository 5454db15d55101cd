#include "ProgressDlg.h"

#include <commctrl.h>

#include "DruxText.h"
#include "ProgressMath.h"
#include "Utf16.h"
#include "resource.h"

CProgressDlg::CProgressDlg(CWnd* owner) : CDialog(IDD_PROGRESS, owner) {}

CProgressDlg::~CProgressDlg() {
  if (m_hWnd) DestroyWindow();
  GiveOwnerBack();
}

void CProgressDlg::GiveOwnerBack() {
  if (m_bOwnerDisabled && m_hWndOwner && ::IsWindow(m_hWndOwner)) ::EnableWindow(m_hWndOwner, TRUE);
  m_bOwnerDisabled = FALSE;
}

BOOL CProgressDlg::CreateAndShow() {
  if (m_hWnd) return TRUE;
  static const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&classes);

  m_hWndOwner = GetSafeOwner(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
  if (m_hWndOwner && ::IsWindowEnabled(m_hWndOwner)) {
    ::EnableWindow(m_hWndOwner, FALSE);
    m_bOwnerDisabled = TRUE;
  }
  if (!Create(m_nIDTemplate, m_hWndOwner ? CWnd::FromHandle(m_hWndOwner) : nullptr)) {
    GiveOwnerBack();
    return FALSE;
  }
  CenterWindow();
  if (::GetDlgItem(m_hWnd, IDC_PROGRESS_CANCEL))
    SetDlgItemText(IDC_PROGRESS_CANCEL, drux::LoadText(drux::texts::kProgressCancel));
  ShowWindow(SW_SHOWNORMAL);
  return TRUE;
}

void CProgressDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PROGRESS_BAR, m_progress);
}

BOOL CProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_progress.SendMessage(PBM_SETRANGE32, WPARAM(uint32_t(m_lower)), LPARAM(uint32_t(m_upper)));
  m_progress.SendMessage(PBM_SETPOS, WPARAM(uint32_t(m_lower)));
  SetWindowText(drux::LoadText(drux::texts::kProgressCaption));
  return TRUE;
}

void CProgressDlg::SetRange(uint64_t total) {
  if (!m_hWnd) return;
  m_lower = 0;
  m_upper = total == 0 ? 1 : total;
  m_progress.SendMessage(PBM_SETRANGE32, 0, LPARAM(int(m_nParts * 1000 + 0.5)));
}

void CProgressDlg::SetPos(uint64_t done) {
  if (!m_hWnd) return;
  PumpMessages();
  if (!m_hWnd) return;
  const double position = drux::ProgressPosition(done, m_lower, m_upper, m_nPart);
  m_progress.SendMessage(PBM_SETPOS, WPARAM(int(position + 0.5)));
  UpdatePercent(position);
}

void CProgressDlg::UpdatePercent(double position) {
  if (!m_hWnd) return;
  SetTextIfChanged(IDC_PROGRESS_PERCENT, ToCString(drux::PercentText(position, m_nParts)));
}

void CProgressDlg::PumpMessages() {
  // Without the window there is nothing to serve: the owner is enabled again then,
  // and dispatching its input here could start a second run inside this one.
  if (!m_hWnd) return;
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Not ours to take: leave it for the loop that waits for it.
      ::PostQuitMessage(int(msg.wParam));
      return;
    }
    if (m_hWnd && ::IsDialogMessageW(m_hWnd, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void CProgressDlg::SetTextIfChanged(int id, const CString& text) {
  if (!m_hWnd) return;
  CString shown;
  GetDlgItemText(id, shown);
  if (shown != text) SetDlgItemText(id, text);
}

void CProgressDlg::SetCountText(const CString& text) { SetTextIfChanged(IDC_PROGRESS_COUNT, text); }

void CProgressDlg::SetFileText(const CString& text) { SetTextIfChanged(IDC_PROGRESS_FILE, text); }

BOOL CProgressDlg::DestroyWindow() {
  // The owner first, so that activation can go back to it when this window goes.
  GiveOwnerBack();
  return CDialog::DestroyWindow();
}

void CProgressDlg::OnOK() {
  // Enter never closes the window; it presses the default button, Cancel.
}

void CProgressDlg::OnCancel() { m_bCancel = TRUE; }

void CProgressDlg::OnClose() { m_bCancel = TRUE; }

BOOL CProgressDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_CLOSE) {
    OnClose();
    return FALSE;  // the dialog manager turns the close into IDCANCEL
  }
  return CDialog::OnWndMsg(message, wParam, lParam, result);
}

BOOL CProgressDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_PROGRESS_CANCEL && HIWORD(wParam) == BN_CLICKED) {
    OnCancel();
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}
