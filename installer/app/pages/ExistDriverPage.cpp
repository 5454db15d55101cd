#include "ExistDriverPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CExistDriverPage, CPropertyPageExEx)

CExistDriverPage::CExistDriverPage()
    : CPropertyPageExEx(IDD_EXISTDRIVER, LoadText(L"IDS_H_EXIST", L"Existing driver"),
                        LoadText(L"IDS_SH_EXIST", L"The chosen printer driver exist on your computer.")) {}

BOOL CExistDriverPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1029, L"IDS_LA_SELOPTION", L"Select the option you want to use:"},
            {1030, L"IDS_RADIO_KEEP_PD", L"Keep existing driver (recommended)"},
            {1031, L"IDS_RADIO_NOT_KEEP_PD", L"Replace existing driver"}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CExistDriverPage::OnWizardNext() { return AcceptNext(IDD_COMPLETE); }
LRESULT CExistDriverPage::OnWizardBack() { return GoBack(); }
