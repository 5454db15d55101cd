#include "NetworkSearchPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CNetworkSearchPage, CPropertyPageExEx)

CNetworkSearchPage::CNetworkSearchPage()
    : CPropertyPageExEx(IDD_NETWORKSEARCH, LoadText(texts::kNetworkSearchTitle),
                        LoadText(texts::kNetworkSearchSubtitle)) {}

void CNetworkSearchPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_NETSEARCH_SERVERS, m_servers);
}

BOOL CNetworkSearchPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{IDC_NETSEARCH_FOUND, texts::kRadioSearchSubnet},
            {IDC_NETSEARCH_TYPED, texts::kRadioPrinterName},
            {IDC_NETSEARCH_OTHER, texts::kRadioOtherConnection},
            {IDC_NETSEARCH_SEARCH, texts::kButtonSearch},
            {IDC_NETSEARCH_OTHER_INFO, texts::kOtherConnectionInfo}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CNetworkSearchPage::OnWizardNext() { return AcceptNext(IDD_LISTQUEUES); }
LRESULT CNetworkSearchPage::OnWizardBack() { return GoBack(); }
