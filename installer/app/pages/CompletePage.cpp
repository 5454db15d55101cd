#include "CompletePage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CCompletePage, CPropertyPageExEx)

CCompletePage::CCompletePage() : CPropertyPageExEx(IDD_COMPLETE, CString(), CString()) {
  m_psp.dwFlags |= PSP_HIDEHEADER;
}

BOOL CCompletePage::OnSetActive() {
  PostWizardButtons(kBackNextFinish);
  SetTexts({{IDC_COMPLETE_HEADING, texts::kCompleteHeading},
            {IDC_COMPLETE_SUBHEADING, texts::kCompleteSubheading},
            {IDC_COMPLETE_NAME_LABEL, texts::kPrinterNameLabel},
            {IDC_COMPLETE_DRIVER_LABEL, texts::kDriverLabel},
            {IDC_COMPLETE_PORT_LABEL, texts::kPortLabel},
            {IDC_COMPLETE_FINISH, texts::kCompleteFinish}});
  SetHeadingFont(IDC_COMPLETE_HEADING);
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CCompletePage::OnWizardBack() { return GoBack(); }
BOOL CCompletePage::OnWizardFinish() { return FALSE; }
