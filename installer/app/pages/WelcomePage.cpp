#include "WelcomePage.h"

#include "CWinApp.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TextLookupWin.h"
#include "Utf16.h"
#include "VersionLine.h"

IMPLEMENT_DYNCREATE(CWelcomePage, CPropertyPageExEx)

namespace {
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

  SetTexts({{IDC_WELCOME_HEADING, texts::kWelcomeHeading},
            {IDC_WELCOME_BODY, texts::kWelcomeBody},
            {IDC_WELCOME_CONTINUE, texts::kWelcomeContinue}});

  DWORD major = 0, minor = 0, build = 0;
  GetProgramVersion(major, minor, build);
  const CString language = LoadText(texts::kLanguageName);
  const std::u16string line = FormatVersionLine(ProgramVersion{major, minor, build}, ToU16(language));
  SetDlgItemText(IDC_WELCOME_VERSION, ToCString(line));

  GiveSheetFont({IDC_WELCOME_VERSION});
  SetHeadingFont(IDC_WELCOME_HEADING);

  return CPropertyPageExEx::OnSetActive();
}

LRESULT CWelcomePage::OnWizardNext() { return AcceptNext(IDD_NEWOLD); }
