// Page 13: a driver of the chosen model is installed already; keep it or replace it.
#pragma once

#include "PropertyPageExEx.h"

class CExistDriverPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CExistDriverPage)

public:
  CExistDriverPage();
  BOOL OnSetActive() override;
  // Stores the choice and the keep-driver flag; always on to the Complete page.
  LRESULT OnWizardNext() override;
  // Stores the choice only; the keep-driver flag keeps the value of the last Next.
  LRESULT OnWizardBack() override;

private:
  void StoreChoice();
};
