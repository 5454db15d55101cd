#include "NetworkSearchPage.h"

#include <memory>

#include "CWaitCursor.h"
#include "PrintServerNet.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TextLookupWin.h"
#include "Utf16.h"

IMPLEMENT_DYNCREATE(CNetworkSearchPage, CPropertyPageExEx)

namespace {
// How long an activation waits for the start-up discovery to end.
const DWORD kDiscoveryWaitMs = 3500;
}  // namespace

CNetworkSearchPage::CNetworkSearchPage()
    : CPropertyPageExEx(IDD_NETWORKSEARCH, LoadText(texts::kNetworkSearchTitle),
                        LoadText(texts::kNetworkSearchSubtitle)) {}

void CNetworkSearchPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_NETSEARCH_SERVERS, m_servers);
  DDX_Control(pDX, IDC_NETSEARCH_NAME, m_typedName);
}

int CNetworkSearchPage::CheckedRadio() const {
  return GetCheckedRadioButton(IDC_NETSEARCH_FOUND, IDC_NETSEARCH_OTHER);
}

BOOL CNetworkSearchPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  InstallerState& state = TheState();

  m_servers.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  ClearServerList();
  while (m_servers.DeleteColumn(0)) {
  }
  m_servers.InsertColumn(0, LoadText(texts::kColumnFoundPrinters), LVCFMT_LEFT, 175);
  m_servers.InsertColumn(1, LoadText(texts::kColumnIp), LVCFMT_LEFT, 100);

  SetTexts({{IDC_NETSEARCH_FOUND, texts::kRadioSearchSubnet},
            {IDC_NETSEARCH_TYPED, texts::kRadioPrinterName},
            {IDC_NETSEARCH_OTHER, texts::kRadioOtherConnection},
            {IDC_NETSEARCH_OTHER_INFO, texts::kOtherConnectionInfo},
            {IDC_NETSEARCH_SEARCH, texts::kButtonSearch}});

  const int radio = SearchRadioToCheck(state.radioServerSearch);
  CheckRadioButton(IDC_NETSEARCH_FOUND, IDC_NETSEARCH_OTHER, radio);
  if (radio == IDC_NETSEARCH_TYPED) SetDlgItemText(IDC_NETSEARCH_NAME, state.typedServerName);

  if (state.discoveryThread) {
    HWND search = GetDlgItemHwnd(IDC_NETSEARCH_SEARCH);
    ::EnableWindow(search, FALSE);
    // The thread's list is read only after the wait reported the thread's end; until
    // then only the thread touches it.
    if (::WaitForSingleObject(state.discoveryThread, kDiscoveryWaitMs) == WAIT_OBJECT_0) {
      if (state.threadServers) TakeOverThreadServers(state.shownServers, *state.threadServers);
      state.discoveryThread = nullptr;
    }
    ::EnableWindow(search, TRUE);
  }
  FillServerList(state.shownServers);

  m_shown = true;
  return CPropertyPageExEx::OnSetActive();
}

void CNetworkSearchPage::ClearServerList() {
  if (!m_servers.IsWindow()) return;
  const int count = m_servers.GetItemCount();
  for (int i = 0; i < count; ++i) {
    delete reinterpret_cast<PrintServer*>(m_servers.GetItemData(i));
    m_servers.SetItemData(i, 0);
  }
  m_servers.DeleteAllItems();
}

void CNetworkSearchPage::FillServerList(const PrintServerList& servers) {
  ClearServerList();
  m_servers.SetRedraw(FALSE);  // drawn once when filled
  for (size_t index : ServersToList(servers)) {
    const PrintServer& server = servers[index];
    auto copy = std::make_unique<PrintServer>(server);
    const int item = m_servers.InsertItem(m_servers.GetItemCount(), ToCString(server.displayName),
                                          reinterpret_cast<LPARAM>(copy.get()));
    if (item < 0) continue;
    copy.release();  // the item owns it now
    m_servers.SetItemText(item, 1, ToCString(server.ipAddress));
  }
  m_servers.SetRedraw(TRUE);
  m_servers.Invalidate();
  const CString& chosen = TheState().chosenServerAddress;
  if (!chosen.IsEmpty()) {
    std::vector<std::u16string> addresses;
    for (int i = 0; i < m_servers.GetItemCount(); ++i) addresses.push_back(ToU16(m_servers.GetItemText(i, 1)));
    const int item = FindServerItem(addresses, ToU16(chosen));
    if (item >= 0) {
      m_servers.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      m_servers.EnsureVisible(item, FALSE);
    }
  }
}

void CNetworkSearchPage::OnSearch() {
  CheckRadioButton(IDC_NETSEARCH_FOUND, IDC_NETSEARCH_OTHER, IDC_NETSEARCH_FOUND);
  CWaitCursor wait;
  HWND search = GetDlgItemHwnd(IDC_NETSEARCH_SEARCH);
  ::EnableWindow(search, FALSE);
  InstallerState& state = TheState();
  state.shownServers.clear();
  // On this thread: the wizard only repaints meanwhile.
  DiscoverPrintServers(state.shownServers);
  ::EnableWindow(search, TRUE);
  if (!state.shownServers.empty()) {
    FillServerList(state.shownServers);
  } else {
    ClearServerList();
    m_servers.InsertItem(0, LoadText(texts::kErrorNoPrintersFound), 0);
  }
}

ServerListSelection CNetworkSearchPage::CurrentSelection() const {
  ServerListSelection selection;
  selection.itemCount = m_servers.GetItemCount();
  selection.selected = m_servers.GetNextItem(-1, LVNI_SELECTED);
  if (selection.selected >= 0) {
    selection.record = reinterpret_cast<const PrintServer*>(m_servers.GetItemData(selection.selected));
    selection.addressColumn = ToU16(m_servers.GetItemText(selection.selected, 1));
  }
  return selection;
}

LRESULT CNetworkSearchPage::OnWizardNext() {
  CWaitCursor wait;
  InstallerState& state = TheState();
  state.radioServerSearch = CheckedRadio();
  const ServerListSelection selection = CurrentSelection();
  if (IsValidServerChoice(selection)) state.chosenServerAddress = ToCString(selection.addressColumn);
  GetDlgItemText(IDC_NETSEARCH_NAME, state.typedServerName);

  if (state.radioServerSearch != IDC_NETSEARCH_OTHER && !ConnectChosenServer()) return -1;
  return AcceptNext(SearchNextPage(state.radioServerSearch));
}

bool CNetworkSearchPage::ConnectChosenServer() {
  InstallerState& state = TheState();
  const ServerListSelection selection = CurrentSelection();
  const int radio = state.radioServerSearch;
  const ConnectResult result =
      ::ConnectChosenServer(radio, IsValidServerChoice(selection) ? selection.record : nullptr,
                            ToU16(state.typedServerName), &QueryPrintServer);
  if (result.choseFoundServer) state.chosenServerAddress = ToCString(result.chosenAddress);
  if (result.asked) state.serverAnswered = result.answered;
  if (result.answered) {
    state.serverHostName = ToCString(result.server.hostName);
    state.serverAddress = ToCString(result.server.ipAddress);
    state.printServerName = ToCString(result.server.displayName);
    state.queueList.RemoveAll();
    for (const std::u16string& queue : result.server.queueNames) state.queueList.AddTail(ToCString(queue));
  }
  switch (result.refusal) {
    case ConnectRefusal::None:
      return true;
    case ConnectRefusal::NoServerChosen:
      ShowError(this, LoadText(texts::kErrorSelectPrinter));
      return false;
    case ConnectRefusal::EmptyName:
      ShowError(this, LoadText(texts::kErrorSpecifyPrinter));
      m_typedName.SetFocus();
      return false;
    case ConnectRefusal::NoAnswer:
      ShowError(this, LoadText(texts::kErrorCannotConnect));
      if (radio == IDC_NETSEARCH_TYPED) {
        m_typedName.SetSel(0, -1);
        m_typedName.SetFocus();
      }
      return false;
  }
  return false;
}

LRESULT CNetworkSearchPage::OnWizardBack() {
  TheState().radioServerSearch = CheckedRadio();
  return GoBack();
}

BOOL CNetworkSearchPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == IDC_NETSEARCH_SEARCH && code == BN_CLICKED) {
    OnSearch();
    return TRUE;
  }
  if (id == IDC_NETSEARCH_NAME && code == EN_SETFOCUS) {
    if (m_shown) CheckRadioButton(IDC_NETSEARCH_FOUND, IDC_NETSEARCH_OTHER, IDC_NETSEARCH_TYPED);
    return TRUE;
  }
  return CPropertyPageExEx::OnCommand(wParam, lParam);
}

BOOL CNetworkSearchPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr && hdr->idFrom == UINT_PTR(IDC_NETSEARCH_SERVERS)) {
    if (hdr->code == NM_DBLCLK) {
      // Posted, so that Next runs after the list view has finished with the click.
      ::PostMessageW(GetSheetHwnd(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
      *result = 0;
      return TRUE;
    }
    if (hdr->code == NM_CLICK) {
      if (m_shown) CheckRadioButton(IDC_NETSEARCH_FOUND, IDC_NETSEARCH_OTHER, IDC_NETSEARCH_FOUND);
      *result = 0;
      return TRUE;
    }
  }
  return CPropertyPageExEx::OnNotify(wParam, lParam, result);
}

BOOL CNetworkSearchPage::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_DESTROY) ClearServerList();  // the records go with the items
  return CPropertyPageExEx::OnWndMsg(message, wParam, lParam, result);
}
