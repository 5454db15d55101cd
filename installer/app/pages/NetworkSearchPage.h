// Page 11: print servers found on the network, or a typed name.
#pragma once

#include "CListCtrl.h"
#include "PropertyPageExEx.h"

class CNetworkSearchPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CNetworkSearchPage)

public:
  CNetworkSearchPage();
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

  CListCtrl m_servers;
};
