#include "CompletePage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CCompletePage, CPropertyPageExEx)

CCompletePage::CCompletePage() : CPropertyPageExEx(IDD_COMPLETE, CString(), CString()) {
  m_psp.dwFlags |= PSP_HIDEHEADER;
}

BOOL CCompletePage::OnSetActive() {
  PostWizardButtons(kBackNextFinish);
  SetTexts({{1020, L"IDS_LA_COMPLETEH", L"Completing the Tarnwick"},
            {1021, L"IDS_LA_COMPLETESH", L"You specified the following printer settings:"},
            {1022, L"IDS_LA_CPRINAME", L"Printer name:"},
            {1024, L"IDS_LA_CDRIVER", L"Printer driver:"},
            {1026, L"IDS_LA_CPORTS_SG", L"Port:"},
            {1028, L"IDS_LA_FINISH", L"Please click 'Finish' to complete the installation."}});
  SetHeadingFont(1020);
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CCompletePage::OnWizardBack() { return GoBack(); }
BOOL CCompletePage::OnWizardFinish() { return FALSE; }
