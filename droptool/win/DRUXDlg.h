// CDRUXDlg: the main dialog of DRUX. A banner, the local printers with the default
// printer selected, the files to print, and Add Files, Remove, Download and Quit.
// Files arrive by drag and drop, the file dialog and the file list's clipboard keys;
// Download sends them in list order to the selected printer as RAW jobs. The printer
// list follows the installed printers while the dialog is open.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "CDialog.h"
#include "CString.h"
#include "ListBoxEx.h"

class CDRUXDlg : public CDialog {
public:
  explicit CDRUXDlg(CWnd* parent = nullptr);
  ~CDRUXDlg() override;

  CListBoxEx m_printerList;  // plain mode
  CListBoxEx m_fileList;     // path mode, deleting allowed
  HICON m_hIcon;

  // Rebuilds the printer list when the installed printers differ from the shown ones,
  // keeping the selected printer selected when it is still there.
  void RefreshPrinterList();
  // The palette to draw bitmap with: none on a screen that is not palette-based (TRUE);
  // else the bitmap's own colours when it has at most 256, otherwise the halftone
  // palette. *palette's old object is deleted first. FALSE without a bitmap.
  static BOOL CreateBannerPalette(HBITMAP bitmap, HPALETTE* palette);

  void OnAddFiles();
  void OnDownload();
  void OnRemove();
  void OnDropFiles(HDROP drop);

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
  void OnPaint();
  void SelectDefaultPrinter();
};
