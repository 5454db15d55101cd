#include "DRUXApp.h"

#include <ole2.h>

#include <cstdlib>

#include "CDialog.h"
#include "DRUXDlg.h"
#include "LocalPrinters.h"
#include "PrintFiles.h"
#include "PrinterNames.h"
#include "Utf16.h"
#include "resource.h"

CDRUXApp::CDRUXApp() : CWinApp(nullptr) {}

CDRUXApp::~CDRUXApp() = default;

CStringList ProgramArguments() {
  CStringList arguments;
  for (int i = 1; i < __argc && __wargv; ++i) arguments.AddTail(__wargv[i] ? __wargv[i] : L"");
  return arguments;
}

void AppendPrinterItems(CMenu& menu, const CStringList& printers) {
  UINT id = drux::kFirstPrinterCommand;
  for (POSITION pos = printers.GetHeadPosition(); pos; ++id) {
    const CString label = ToCString(drux::MenuLabel(ToU16(printers.GetNext(pos))));
    menu.AppendMenu(MF_STRING, id, label);
  }
}

BOOL CDRUXApp::InitInstance() {
  ::OleInitialize(nullptr);
  const CStringList arguments = ProgramArguments();
  CStringList printers;
  EnumLocalPrinters(printers);
  if (arguments.IsEmpty()) {
    CDRUXDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
  } else {
    RunMenuMode(arguments, printers);
  }
  return FALSE;
}

void CDRUXApp::RunMenuMode(const CStringList& arguments, const CStringList& printers) {
  HWND hidden = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDD_DRUX), nullptr,
                                     &CDRUXApp::HiddenOwnerDlgProc, 0);
  if (!hidden) return;
  CDialog owner;
  owner.Attach(hidden);
  UINT command = 0;
  {
    CMenu menu;
    if (!menu.CreatePopupMenu()) {
      owner.Detach();
      ::DestroyWindow(hidden);
      return;
    }
    AppendPrinterItems(menu, printers);
    POINT at{};
    ::GetCursorPos(&at);
    // The owner in the foreground, so that a click elsewhere or Esc reaches the menu
    // and closes it; the posted null message lets the menu's loop end at once.
    ::SetForegroundWindow(hidden);
    command = UINT(menu.TrackPopupMenu(TPM_NONOTIFY | TPM_RETURNCMD, at.x, at.y, hidden));
    ::PostMessageW(hidden, WM_NULL, 0, 0);
  }
  owner.Detach();
  ::DestroyWindow(hidden);
  const int index = drux::PrinterForCommand(command, size_t(printers.GetCount()));
  if (index >= 0) PrintFiles(printers.GetAt(printers.FindIndex(index)), arguments, nullptr);
}

int CDRUXApp::ExitInstance() {
  ::OleUninitialize();
  return CWinApp::ExitInstance();
}

INT_PTR CALLBACK CDRUXApp::HiddenOwnerDlgProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_CREATE:
    case WM_INITDIALOG:
      ::ShowWindow(hwnd, SW_HIDE);
      return TRUE;
    case WM_COMMAND:
      return TRUE;
    default:
      return FALSE;
  }
}
