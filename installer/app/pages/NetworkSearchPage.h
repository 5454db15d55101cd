// Page 11: a print server that discovery found, a typed host name or address, or
// another kind of connection. The page takes over the start-up discovery's servers
// once that thread has ended, searches again on Search, and asks the chosen server for
// its queues and name before the queue page follows.
#pragma once

#include "CEdit.h"
#include "CListCtrl.h"
#include "NetworkSearchRules.h"
#include "PropertyPageExEx.h"

class CNetworkSearchPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CNetworkSearchPage)

public:
  CNetworkSearchPage();
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

  // Each item owns a copy of the server record it shows (its item data); the
  // "No printers found" item has none.
  CListCtrl m_servers;
  CEdit m_typedName;

protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
  void OnSearch();
  // Lists the servers (a repeat of a name and address is listed once) and reselects
  // the server chosen before.
  void FillServerList(const PrintServerList& servers);
  // Frees the item records and deletes every item.
  void ClearServerList();
  ServerListSelection CurrentSelection() const;
  // Asks the chosen or typed server; false after telling the user why not.
  bool ConnectChosenServer();
  int CheckedRadio() const;

  // Set at the end of each activation: before it, a click in the list or the focus
  // entering the edit field does not change the radio choice.
  bool m_shown = false;
};
