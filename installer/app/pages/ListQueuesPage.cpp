#include "ListQueuesPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CListQueuesPage, CPropertyPageExEx)

CListQueuesPage::CListQueuesPage()
    : CPropertyPageExEx(IDD_LISTQUEUES, LoadText(texts::kQueuesTitle),
                        LoadText(texts::kQueuesSubtitle)) {}

void CListQueuesPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_LISTQUEUES_QUEUES, m_queues);
}

BOOL CListQueuesPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{IDC_LISTQUEUES_CHECKED, texts::kRadioQueues},
            {IDC_LISTQUEUES_SELECTALL, texts::kButtonSelectAll},
            {IDC_LISTQUEUES_UNSELECTALL, texts::kButtonUnselectAll},
            {IDC_LISTQUEUES_OTHER, texts::kRadioOtherConnection},
            {IDC_LISTQUEUES_OTHER_INFO, texts::kOtherConnectionInfo},
            {IDC_LISTQUEUES_INTERNET, texts::kCheckInternetPrinter},
            {IDC_LISTQUEUES_NAME_LABEL, texts::kPrinterNameLabel}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CListQueuesPage::OnWizardNext() { return AcceptNext(IDD_LISTMODEL); }
LRESULT CListQueuesPage::OnWizardBack() { return GoBack(); }
