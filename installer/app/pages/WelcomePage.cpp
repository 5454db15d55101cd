#include "WelcomePage.h"

#include "CWinApp.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TextLookupWin.h"
#include "Utf16.h"
#include "VersionLine.h"

IMPLEMENT_DYNCREATE(CWelcomePage, CPropertyPageExEx)

namespace {
enum { kHeading = 1000, kClosing = 1001, kBody = 1002, kVersion = 1082 };
HICON g_welcomeIcon = nullptr;  // process-wide, loaded on the first activation
}  // namespace

CWelcomePage::CWelcomePage() : CPropertyPageExEx(IDD_WELCOME, CString(), CString()) {
  m_psp.dwFlags |= PSP_HIDEHEADER;
}

BOOL CWelcomePage::OnSetActive() {
  CWnd* main = AfxGetMainWnd();
  if (!g_welcomeIcon && main && main->m_hWnd) {
    g_welcomeIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_PROGRAM));
    main->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_welcomeIcon));
    main->SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_welcomeIcon));
  }
  PostWizardButtons(kNextButton);
  if (HWND help = ::GetDlgItem(GetSheetHwnd(), IDC_SHEET_HELP)) ::DestroyWindow(help);

  SetTexts({{kHeading, L"IDS_LA_WELCOMEHEAD", L"Welcome to the Tarnwick"},
            {kBody, L"IDS_LA_WELCOME",
             L"This wizard helps you to install a printer and make printer connections."},
            {kClosing, L"IDS_LA_CONTINUE", L"Please click 'Next' to continue."}});

  DWORD major = 0, minor = 0, build = 0;
  GetProgramVersion(major, minor, build);
  const CString language = LoadText(L"IDS_LOCAL", L"non localized");
  const std::u16string line = FormatVersionLine(ProgramVersion{major, minor, build}, ToU16(language));
  SetDlgItemText(kVersion, ToCString(line));

  GiveSheetFont({kVersion});
  SetHeadingFont(kHeading);

  return CPropertyPageExEx::OnSetActive();
}

LRESULT CWelcomePage::OnWizardNext() { return AcceptNext(IDD_NEWOLD); }
