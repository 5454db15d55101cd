// Page 13: keep or replace an installed driver of the chosen model.
#pragma once

#include "PropertyPageExEx.h"

class CExistDriverPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CExistDriverPage)

public:
  CExistDriverPage();
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;
};
