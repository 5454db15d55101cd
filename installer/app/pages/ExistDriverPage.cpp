#include "ExistDriverPage.h"

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
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CExistDriverPage::OnWizardNext() { return AcceptNext(IDD_COMPLETE); }
LRESULT CExistDriverPage::OnWizardBack() { return GoBack(); }
