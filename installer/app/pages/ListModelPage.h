// Page 9: manufacturer and model from an INF package.
#pragma once

#include "CListCtrl.h"
#include "PropertyPageExEx.h"

class CListModelPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CListModelPage)

public:
  CListModelPage();
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

  CListCtrl m_manufacturers;
  CListCtrl m_models;
};
