#include "NetworkSearchPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CNetworkSearchPage, CPropertyPageExEx)

CNetworkSearchPage::CNetworkSearchPage()
    : CPropertyPageExEx(IDD_NETWORKSEARCH, LoadText(L"IDS_H_LQOLD", L"Network Search"),
                        LoadText(L"IDS_SH_LQOLD",
                                 L"Search the network environment for connected printers.")) {}

void CNetworkSearchPage::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, 1038, m_servers); }

BOOL CNetworkSearchPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1037, L"IDS_RADIO_UDP", L"Search the subnet for connected printers"},
            {1040, L"IDS_RADIO_NETPRNAME", L"Network printer name or IP Address"},
            {1042, L"IDS_RADIO_OTHERPRT", L"Other Connection"},
            {1017, L"IDS_BT_UDP_SEARCH", L"Search"},
            {1043, L"IDS_LA_OTHERPORTINFO",
             L"Please select 'Other Connection' to use another printer connection."}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CNetworkSearchPage::OnWizardNext() { return AcceptNext(IDD_LISTQUEUES); }
LRESULT CNetworkSearchPage::OnWizardBack() { return GoBack(); }
