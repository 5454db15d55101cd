#include "NewOldPage.h"

#include "NewOldRules.h"
#include "TWKApp.h"
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
  CheckRadioButton(IDC_NEWOLD_FROMDISK, IDC_NEWOLD_BASED,
                   NewOldRadioToCheck(TheState().radioDriverOrigin));
  return CPropertyPageExEx::OnSetActive();
}

void CNewOldPage::StoreChoice() {
  InstallerState& state = TheState();
  state.radioDriverOrigin = GetCheckedRadioButton(IDC_NEWOLD_FROMDISK, IDC_NEWOLD_BASED);
  state.basedMode = IsBasedMode(state.radioDriverOrigin);
}

LRESULT CNewOldPage::OnWizardNext() {
  StoreChoice();
  return AcceptNext(NewOldNextPage(TheState().radioDriverOrigin));
}

LRESULT CNewOldPage::OnWizardBack() {
  StoreChoice();
  return GoBack();
}
