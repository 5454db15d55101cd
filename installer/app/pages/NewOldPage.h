// Page 7: a new printer with a driver from an installation disk, or a printer based on
// an installed one (whose driver is then reused).
#pragma once

#include "PropertyPageExEx.h"

class CNewOldPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CNewOldPage)

public:
  CNewOldPage();
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

private:
  // The checked radio and based mode into the installer state.
  void StoreChoice();
};
