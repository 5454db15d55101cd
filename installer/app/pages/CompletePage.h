// Page 14: the summary and Finish. An exterior page like the Welcome page.
#pragma once

#include "PropertyPageExEx.h"

class CCompletePage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CCompletePage)

public:
  CCompletePage();
  BOOL OnSetActive() override;
  LRESULT OnWizardBack() override;
  // Installs nothing yet, so the wizard stays open.
  BOOL OnWizardFinish() override;
};
