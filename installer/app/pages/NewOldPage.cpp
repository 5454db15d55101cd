#include "NewOldPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CNewOldPage, CPropertyPageExEx)

CNewOldPage::CNewOldPage()
    : CPropertyPageExEx(IDD_NEWOLD, LoadText(L"IDS_H_NOP", L"New printer driver from disk?"),
                        LoadText(L"IDS_SH_NOP", L"Select the option to install printer driver")) {}

BOOL CNewOldPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1003, L"IDS_LA_SELOPTION", L"Select the option you want to use:"},
            {1001, L"IDS_RADIO_NP", L"Install new printer from installation disk"},
            {1002, L"IDS_RADIO_OP", L"Install new printer that based on installed printer"},
            {1004, L"IDS_LA_INFO_NPOP",
             L"To install a printer driver from disk, use the 'Install new printer from "
             L"installation disk' option.\\nTo install printers by using an existing printer "
             L"driver, please select 'Install new printer that based on installed printer'."}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CNewOldPage::OnWizardNext() { return AcceptNext(IDD_NETWORKSEARCH); }
LRESULT CNewOldPage::OnWizardBack() { return GoBack(); }
