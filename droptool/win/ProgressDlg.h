// CProgressDlg: the modeless window of a print run (dialog 103): count line, file
// line, a bar over all bytes of the run, the percentage and Cancel.
//
// While it is up it keeps its owner disabled, so nothing there can start a second
// run; the owner is enabled again when the window goes (DestroyWindow or the
// destructor), unless it was disabled already before. The user's cancel request
// (Cancel, Esc, Enter, the close box) only sets m_bCancel; the window stays open and
// the print run decides. Every call on a window that could not be created does nothing.
#pragma once

#include <cstdint>

#include "CDialog.h"
#include "CString.h"

class CProgressDlg : public CDialog {
public:
  // owner: the window to disable and centre on; nullptr: the application's main
  // window (or none, in the command-line mode).
  explicit CProgressDlg(CWnd* owner = nullptr);
  ~CProgressDlg() override;

  // Disables the owner, creates and shows the window. FALSE (owner given back) when
  // the window cannot be created.
  BOOL CreateAndShow();
  // The byte range of the whole run; 0 counts as 1.
  void SetRange(uint64_t total);
  // Pumps messages, then moves the bar and the percentage to done bytes (clamped).
  void SetPos(uint64_t done);
  void UpdatePercent(double position);
  // Serves every waiting message of the thread (dialog keys go to this window).
  void PumpMessages();
  void SetCountText(const CString& text);
  void SetFileText(const CString& text);
  // Enables the owner again (when this window disabled it) and destroys the window.
  BOOL DestroyWindow() override;

  CWnd m_progress;          // control 1003
  uint64_t m_lower = 0;     // bytes at the bar's start
  uint64_t m_upper = 100;   // bytes at the bar's end
  int m_nParts = 1;         // sections of 1000 steps
  int m_nPart = 0;          // section in use
  BOOL m_bCancel = FALSE;   // set by the user, read and cleared by the print run
  BOOL m_bOwnerDisabled = FALSE;
  HWND m_hWndOwner = nullptr;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnClose();
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
  void SetTextIfChanged(int id, const CString& text);
  void GiveOwnerBack();
};
