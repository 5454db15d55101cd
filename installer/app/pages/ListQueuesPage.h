// Page 12: the server's queues.
#pragma once

#include "CListCtrl.h"
#include "PropertyPageExEx.h"

class CListQueuesPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CListQueuesPage)

public:
  CListQueuesPage();
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

  CListCtrl m_queues;
};
