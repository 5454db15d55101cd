// CDialog: a dialog box from a dialog template resource (Windows builds only), either
// modeless (Create) or modal (DoModal).
//
// The object is kept with its window from WM_INITDIALOG on; messages reach OnWndMsg
// through the dialog procedure, WM_INITDIALOG goes to OnInitDialog, and the commands
// IDOK and IDCANCEL (Enter and Esc through the dialog manager) go to OnOK and
// OnCancel. The template comes from the program's resource module.
#pragma once

#include <windows.h>

#include "CString.h"
#include "CWnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

public:
  // templateId: the dialog resource; parent: the owner (nullptr: the application's
  // main window, when there is one).
  explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
  // Destroys a window that still exists (a modeless dialog the caller did not end).
  ~CDialog() override;

  // Creates the modeless dialog (not shown unless the template has WS_VISIBLE).
  // parent nullptr: owned by the application's main window when there is one.
  // FALSE when the template is missing or the window cannot be created.
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  // Runs the dialog modally; its owner is disabled meanwhile. Answers the value given
  // to EndDialog, or -1 when the dialog could not be created.
  virtual INT_PTR DoModal();
  // Ends a modal dialog with result (hides a modeless one).
  void EndDialog(int result);

  virtual BOOL OnInitDialog();  // binds the controls (UpdateData(FALSE)); TRUE
  virtual void OnOK();          // UpdateData(TRUE), then EndDialog(IDOK)
  virtual void OnCancel();      // EndDialog(IDCANCEL)

  // Dialog keys (Tab, Enter, Esc) for a message meant for this dialog or its controls.
  BOOL PreTranslateMessage(MSG* msg) override;
  // Centres the window on alternateOwner, else on its owner when that is visible and
  // not minimised, else on the work area of the screen; kept inside the work area.
  void CenterWindow(HWND alternateOwner = nullptr);

  // The window a new pop-up should be owned by: the top-level window of parent (or of
  // the application's main window when parent is nullptr) or its last active pop-up;
  // nullptr when there is none.
  static HWND GetSafeOwner(HWND parent);

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
