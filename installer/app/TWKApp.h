// The installer's application object and the two message boxes every page uses.
#pragma once

#include <windows.h>

#include "CWinApp.h"
#include "InstallerState.h"

class CTWKAppRetail : public CWinApp {
public:
  CTWKAppRetail();
  ~CTWKAppRetail() override;

  BOOL InitInstance() override;
  // Its command map: ID_HELP goes to CWinApp::OnHelp.
  bool HandlesCommand(UINT id) const override { return id == ID_HELP; }

  InstallerState m_state;
};

// The one application object.
CTWKAppRetail& TheApp();
InstallerState& TheState();

// A message box with the program's title as caption and the error icon, owned by the
// page's window (no owner without a page).
void ShowError(CWnd* page, const wchar_t* text);
// Shows the system's text for a Win32 error code and answers true; answers false and
// shows nothing for code 0 and for a code the system has no text for.
bool ShowSystemError(DWORD code);

// The message box that ShowError and ShowSystemError call (tests replace it).
using MessageBoxFunction = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
extern MessageBoxFunction g_messageBox;
