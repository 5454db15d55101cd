// Page 10: the installed printer whose driver the new printers use. Next asks the
// print server that the printer's port names for its queues: the queue page follows
// when it answers, the other-connection page otherwise.
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

  // Reads the selected printer's driver, name and port, and asks the server its port
  // names for its queues and name. True when that server answered.
  bool QueryInstalledPrinterServer();

  CListCtrl m_printers;

protected:
  // A double click in the list presses Next.
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
  int SelectedItem() const;
};
