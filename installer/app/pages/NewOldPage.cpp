#include "NewOldPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CNewOldPage, CPropertyPageExEx)

CNewOldPage::CNewOldPage()
    : CPropertyPageExEx(IDD_NEWOLD, LoadText(texts::kNewOldTitle),
                        LoadText(texts::kNewOldSubtitle)) {}

BOOL CNewOldPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{IDC_NEWOLD_SELOPTION, texts::kSelectOption},
            {IDC_NEWOLD_FROMDISK, texts::kRadioFromDisk},
            {IDC_NEWOLD_BASED, texts::kRadioBasedOnInstalled},
            {IDC_NEWOLD_INFO, texts::kNewOldInfo}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CNewOldPage::OnWizardNext() { return AcceptNext(IDD_NETWORKSEARCH); }
LRESULT CNewOldPage::OnWizardBack() { return GoBack(); }
