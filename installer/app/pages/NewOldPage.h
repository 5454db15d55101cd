// Page 7: a new driver from disk or a printer based on an installed one.
#pragma once

#include "PropertyPageExEx.h"

class CNewOldPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CNewOldPage)

public:
  CNewOldPage();
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;
};
