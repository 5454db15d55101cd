// CFileDialog: the system's Open and Save As dialogs (Windows builds only).
//
// One class for both uses of the programs: one file (the default), or several with
// OFN_ALLOWMULTISELECT. The dialog is always the explorer kind (OFN_EXPLORER), so the
// chosen names come back as a folder followed by NUL-separated names, which
// GetStartPosition / GetNextPathName walk as full paths.
//
// The filter is given in the class library's form ("Text|*.txt|All|*.*||", see
// FileFilter.h). The file-name buffer belongs to the object; a multi-select dialog
// grows it while the user selects (and before it confirms typed names), so a long
// selection is never refused for want of room. m_ofn is public as usual: callers may
// set the initial folder, a title or a hook of their own (which still sees every
// message) before DoModal. While a multi-select dialog runs, m_ofn.lCustData is the
// object's own; a caller's value is given back afterwards.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "CString.h"
#include "CWnd.h"

class CFileDialog {
public:
  // open: TRUE for Open, FALSE for Save As. defExt: appended to a typed name without
  // one (nullptr: none). fileName: the initial name (nullptr: none). filter: the class
  // library's form (nullptr: none). parent nullptr: the application's main window, or
  // its last active pop-up, owns the dialog.
  explicit CFileDialog(BOOL open, LPCWSTR defExt = nullptr, LPCWSTR fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       LPCWSTR filter = nullptr, CWnd* parent = nullptr);
  virtual ~CFileDialog() = default;
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  // Shows the dialog modally. IDOK when the user confirmed, IDCANCEL when the user
  // cancelled or the dialog failed (GetError tells which: 0 for a cancel).
  virtual INT_PTR DoModal();

  // A zero-filled file-name buffer of room for maxChars characters (at least 2) in
  // place of the current one; the initial name is kept when it fits.
  void SetFileBuffer(DWORD maxChars);

  // The chosen file (the first of several).
  CString GetPathName() const;
  // Its name without folder, and its extension without the dot.
  CString GetFileName() const;
  CString GetFileExt() const;
  // The chosen files as full paths, in the dialog's order: pos starts at
  // GetStartPosition (nullptr when nothing was chosen) and is nullptr after the last.
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;

  // CommDlgExtendedError after the last DoModal (0 after a confirm or a cancel).
  DWORD GetError() const { return m_dwError; }

  OPENFILENAMEW m_ofn;

private:
  // The room the names of the dialog's current selection or typed text can take,
  // in characters, terminators included.
  static DWORD RoomNeeded(HWND dialog);
  void GrowFor(HWND dialog, OPENFILENAMEW* ofn);
  static UINT_PTR CALLBACK HookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK DialogSubclassProc(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam);
  bool MultiSelect() const { return (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0; }

  BOOL m_bOpenFileDialog;
  DWORD m_dwError = 0;
  std::vector<wchar_t> m_file;     // nMaxFile characters and two more zeros
  std::u16string m_filter;         // the block the dialog reads
  std::wstring m_defExt;
  LPOFNHOOKPROC m_userHook = nullptr;
  LPARAM m_userData = 0;
  WNDPROC m_dialogProc = nullptr;  // the dialog's own procedure while subclassed
  CWnd* m_pParentWnd;
};
