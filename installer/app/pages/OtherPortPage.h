// Page 8: one connection (UNC name, URL, existing or new port).
#pragma once

#include "CComboBox.h"
#include "PropertyPageExEx.h"

class COtherPortPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(COtherPortPage)

public:
  COtherPortPage();
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

  CComboBox m_ports;
  CComboBox m_monitors;
};
