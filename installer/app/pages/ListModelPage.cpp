#include "ListModelPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CListModelPage, CPropertyPageExEx)

CListModelPage::CListModelPage()
    : CPropertyPageExEx(IDD_LISTMODEL, LoadText(texts::kModelTitle),
                        LoadText(texts::kModelSubtitle)) {}

void CListModelPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_LISTMODEL_MANUFACTURERS, m_manufacturers);
  DDX_Control(pDX, IDC_LISTMODEL_MODELS, m_models);
}

BOOL CListModelPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{IDC_LISTMODEL_INTRO, texts::kModelIntro},
            {IDC_LISTMODEL_HAVEDISK, texts::kButtonHaveDisk},
            {IDC_LISTMODEL_NAME_LABEL, texts::kModelPrinterNameLabel}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CListModelPage::OnWizardNext() { return AcceptNext(IDD_COMPLETE); }
LRESULT CListModelPage::OnWizardBack() { return GoBack(); }
