// CDRUXApp: the application object of DRUX. Without arguments it runs the main dialog;
// with file arguments (files dropped on the program or its shortcut) it shows a menu of
// the local printers at the mouse position, prints the files to the chosen one and ends.
#pragma once

#include <windows.h>

#include "CMenu.h"
#include "CString.h"
#include "CWinApp.h"

class CDRUXApp : public CWinApp {
public:
  CDRUXApp();
  ~CDRUXApp() override;

  BOOL InitInstance() override;  // the whole run; always FALSE
  int ExitInstance() override;   // OleUninitialize, then the class library's
  bool HandlesCommand(UINT id) const override { return id == ID_HELP; }

  // The dialog procedure of the invisible window that owns the printer menu.
  static INT_PTR CALLBACK HiddenOwnerDlgProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam);

  // The menu mode with the given arguments and printers: the menu at the cursor, then
  // the print run to the chosen printer.
  static void RunMenuMode(const CStringList& arguments, const CStringList& printers);
};

// One item per printer in list order, command id 1000 + position; a name's "&" shows
// as itself.
void AppendPrinterItems(CMenu& menu, const CStringList& printers);

// The command-line arguments after the program's own name, in order and unchanged.
CStringList ProgramArguments();
