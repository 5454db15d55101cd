// The wizard's pages after the Welcome page. Each follows the page rules (buttons,
// texts from the language file, Next/Back over the page history); the choices of
// their own controls are not read or stored yet, and Next goes along the road of a
// driver installed from disk.
#pragma once

#include "CControls.h"
#include "PropertyPageExEx.h"

// Page 7: a new driver from disk or a printer based on an installed one.
class CNewOldPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CNewOldPage)

public:
  CNewOldPage();
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;
};

// Page 11: print servers found on the network, or a typed name.
class CNetworkSearchPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CNetworkSearchPage)

public:
  CNetworkSearchPage();
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

  CListCtrl m_servers;
};

// Page 12: the server's queues.
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

// Page 8: one connection (UNC name, URL, existing or new port).
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

// Page 9: manufacturer and model from an INF package.
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

// Page 10: the installed printer to base the new printers on.
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

// Page 13: keep or replace an installed driver of the chosen model.
class CExistDriverPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CExistDriverPage)

public:
  CExistDriverPage();
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;
};

// Page 14: the summary and Finish. An exterior page like the Welcome page.
class CCompletePage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CCompletePage)

public:
  CCompletePage();
  ~CCompletePage() override;
  BOOL OnSetActive() override;
  LRESULT OnWizardBack() override;
  // Installs nothing yet, so the wizard stays open.
  BOOL OnWizardFinish() override;

private:
  HFONT m_headingFont = nullptr;
};
