#include "ExistDriverPage.h"

#include "TWKApp.h"
#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CExistDriverPage, CPropertyPageExEx)

CExistDriverPage::CExistDriverPage()
    : CPropertyPageExEx(IDD_EXISTDRIVER, LoadText(texts::kExistDriverTitle),
                        LoadText(texts::kExistDriverSubtitle)) {}

BOOL CExistDriverPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{IDC_EXISTDRIVER_SELOPTION, texts::kSelectOption},
            {IDC_EXISTDRIVER_KEEP, texts::kRadioKeepDriver},
            {IDC_EXISTDRIVER_REPLACE, texts::kRadioReplaceDriver}});
  // "Keep" unless "Replace" was the last choice, so a first visit preselects "Keep".
  const int32_t stored = TheState().radioExistingDriver;
  CheckRadioButton(IDC_EXISTDRIVER_KEEP, IDC_EXISTDRIVER_REPLACE, stored == IDC_EXISTDRIVER_REPLACE ? IDC_EXISTDRIVER_REPLACE : IDC_EXISTDRIVER_KEEP);
  return CPropertyPageExEx::OnSetActive();
}

void CExistDriverPage::StoreChoice() {
  TheState().radioExistingDriver = GetCheckedRadioButton(IDC_EXISTDRIVER_KEEP, IDC_EXISTDRIVER_REPLACE);
}

LRESULT CExistDriverPage::OnWizardNext() {
  StoreChoice();
  TheState().keepDriver = TheState().radioExistingDriver == IDC_EXISTDRIVER_KEEP;
  return AcceptNext(IDD_COMPLETE);
}

LRESULT CExistDriverPage::OnWizardBack() {
  StoreChoice();
  return GoBack();
}
