// Page 10: the installed printer to base the new printers on.
#pragma once

#include "CListCtrl.h"
#include "PropertyPageExEx.h"

class CListPrinterPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CListPrinterPage)

public:
  CListPrinterPage();
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

  CListCtrl m_printers;
};
