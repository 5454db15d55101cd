// CWinApp: the application object of a class-library program (Windows builds only).
//
// A program defines exactly one object of a class derived from CWinApp, as a global;
// its constructor registers it, and the class library's entry point (wWinMain)
// runs it: it fills in the instance and the application name, calls InitInstance,
// runs the message loop when InitInstance answers TRUE, and returns ExitInstance's
// answer as the process exit code.
#pragma once

#include <windows.h>

#include "CString.h"
#include "CWnd.h"

// The framework's application-title string: the application name when the object
// was constructed without one.
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;
// The help command.
constexpr UINT ID_HELP = 0xE146;

class CWinApp {
public:
  explicit CWinApp(LPCWSTR appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return TRUE; }
  virtual int Run();
  virtual int ExitInstance() { return 0; }
  // Whether the application's own command handlers (its message map) take command
  // id. Property pages offer a Help button when the application handles ID_HELP.
  virtual bool HandlesCommand(UINT /*id*/) const { return false; }
  // ID_HELP: the installer ships no help file, so there is nothing to open.
  void OnHelp() {}

  // Called once by the entry code before InitInstance.
  void InitApplication(HINSTANCE instance);

  // The profile: HKEY_CURRENT_USER\Software\<company>\<application name>\<section>.
  // Without a registry key the profile functions read defaults and write nothing.
  void SetRegistryKey(LPCWSTR company);
  CString GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue = nullptr) const;
  // A null value removes the entry.
  BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value);
  UINT GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue) const;
  BOOL WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value);

  HINSTANCE m_hInstance = nullptr;
  CString m_strAppName;
  CString m_strRegistryKey;   // the company part
  CString m_strProfileName;   // the application part
  CWnd* m_pMainWnd = nullptr;

private:
  HKEY OpenSectionKey(LPCWSTR section, bool create) const;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// The module that holds the program's resources (the program itself).
HINSTANCE AfxGetResourceHandle();
CWnd* AfxGetMainWnd();

// The body of the program's entry point.
int AfxWinMain(HINSTANCE instance, int showCommand);
