// Page 12: the chosen server's queues, one printer to be made per checked queue, as
// Internet printers or not; or another connection instead. In based mode the page also
// takes the printer name and leads straight to the Complete page.
#pragma once

#include "CEdit.h"
#include "CListCtrl.h"
#include "PropertyPageExEx.h"

class CListQueuesPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CListQueuesPage)

public:
  CListQueuesPage();
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

  CListCtrl m_queues;
  CEdit m_name;  // the printer name (based mode)

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
  // Every queue of the state's list, checked; in based mode the name pre-fill.
  void FillQueueList();
  // The state's queue list becomes the checked queues, in list order.
  void CollectCheckedQueues();
  bool AnyQueueChecked() const;
  void CheckAllQueues(bool check);
  // The Internet-printer check box: off and disabled while "Other Connection" is
  // checked, usable otherwise (never on Windows 9x).
  void UpdateInternetOption();
  void EnableInternetOption();
};
