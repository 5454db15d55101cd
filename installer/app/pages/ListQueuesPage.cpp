#include "ListQueuesPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CListQueuesPage, CPropertyPageExEx)

CListQueuesPage::CListQueuesPage()
    : CPropertyPageExEx(IDD_LISTQUEUES, LoadText(L"IDS_H_LQNEW", L"Queue selection"),
                        LoadText(L"IDS_SH_LQNEW", L"Which queues do you want to install?")) {}

void CListQueuesPage::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, 1007, m_queues); }

BOOL CListQueuesPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1067, L"IDS_LA_LISTQU", L"Please select the queues to install:"},
            {1013, L"IDS_BT_SELALL", L"Select all"},
            {1014, L"IDS_BT_DESELALL", L"Unselect all"},
            {1068, L"IDS_RADIO_OTHERPRT", L"Other Connection"},
            {1070, L"IDS_LA_OTHERPORTINFO",
             L"Please select 'Other Connection' to use another printer connection."},
            {1079, L"IDS_CHECK_INTPR", L"Install as Internet printer"},
            {1084, L"IDS_LA_CPRINAME", L"Printer name:"}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CListQueuesPage::OnWizardNext() { return AcceptNext(IDD_LISTMODEL); }
LRESULT CListQueuesPage::OnWizardBack() { return GoBack(); }
