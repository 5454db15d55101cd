// The wizard's first page (6): greeting, the program's version and the language of
// the language file. An exterior page: no header band, the watermark on the left.
#pragma once

#include "PropertyPageExEx.h"

class CWelcomePage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CWelcomePage)

public:
  CWelcomePage();

  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
};
