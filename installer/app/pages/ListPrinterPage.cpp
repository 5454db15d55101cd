#include "ListPrinterPage.h"

#include "ListPrinterRules.h"
#include "PrintServerNet.h"
#include "PrintersWin.h"
#include "SpoolerLists.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TextLookupWin.h"
#include "Utf16.h"

IMPLEMENT_DYNCREATE(CListPrinterPage, CPropertyPageExEx)

namespace {
constexpr int kPrinterColumnWidth = 265;  // pixels
}  // namespace

CListPrinterPage::CListPrinterPage()
    : CPropertyPageExEx(IDD_LISTPRINTER, LoadText(texts::kInstalledPrintersTitle),
                        LoadText(texts::kInstalledPrintersSubtitle)) {
  m_strCaption = LoadText(texts::kProgramName);
  m_psp.dwFlags |= PSP_USETITLE;
}

void CListPrinterPage::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_LISTPRINTER_PRINTERS, m_printers); }

BOOL CListPrinterPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{IDC_LISTPRINTER_INFO, texts::kInstalledPrintersInfo}});

  m_printers.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  m_printers.DeleteAllItems();
  HWND header = reinterpret_cast<HWND>(m_printers.SendMessage(LVM_GETHEADER));
  if (!header || ::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) != 1)
    m_printers.InsertColumn(0, LoadText(texts::kColumnInstalledPrinters), LVCFMT_LEFT,
                            kPrinterColumnWidth);
  CStringList names;
  EnumPrinterNames(names);
  for (POSITION p = names.GetHeadPosition(); p;) m_printers.InsertItem(m_printers.GetItemCount(), names.GetNext(p));

  // The printer chosen before: the first item that begins with its name, letters
  // compared without case.
  const CString& chosen = TheState().chosenInstalledPrinter;
  if (!chosen.IsEmpty()) {
    LVFINDINFOW find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL;
    find.psz = chosen;
    const int item = int(m_printers.SendMessage(LVM_FINDITEMW, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
    if (item >= 0) {
      m_printers.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      m_printers.EnsureVisible(item, FALSE);
    }
  }
  return CPropertyPageExEx::OnSetActive();
}

int CListPrinterPage::SelectedItem() const { return m_printers.GetNextItem(-1, LVNI_SELECTED); }

LRESULT CListPrinterPage::OnWizardNext() {
  ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  if (SelectedItem() < 0) {
    ShowError(this, LoadText(texts::kErrorSelectPrinter));
    return -1;
  }
  const bool answered = QueryInstalledPrinterServer();
  return AcceptNext(answered ? IDD_LISTQUEUES : IDD_OTHERPORT);
}

LRESULT CListPrinterPage::OnWizardBack() {
  const int item = SelectedItem();
  if (item >= 0) TheState().chosenInstalledPrinter = m_printers.GetItemText(item, 0);
  return GoBack();
}

bool CListPrinterPage::QueryInstalledPrinterServer() {
  InstallerState& state = TheState();
  state.chosenInstalledPrinter = m_printers.GetItemText(SelectedItem(), 0);
  GetInstalledPrinterInfo(state.chosenInstalledPrinter, state.installedPrinter);

  // The system's own lower-casing first; the rules then cut the host.
  CString port = state.installedPrinter.port;
  port.MakeLower();
  std::u16string host;
  const bool found = ParsePortHost(ToU16(port), host, [](const std::u16string& name) {
    PingResult result{};
    return PingHost(name, result);
  });
  state.printServerName = ToCString(host);
  if (found) {
    PrintServer server;
    if (QueryPrintServer(host, server)) {
      state.serverAnswered = true;
      state.serverHostName = state.printServerName;
      state.queueList.RemoveAll();
      for (const std::u16string& queue : server.queueNames) state.queueList.AddTail(ToCString(queue));
      state.printerName = ToCString(server.displayName);
      state.driverName = state.installedPrinter.driverName;
      return true;
    }
  }
  state.printerName = state.installedPrinter.printerName;
  state.driverName = state.installedPrinter.driverName;
  return false;
}

BOOL CListPrinterPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr && hdr->idFrom == UINT_PTR(IDC_LISTPRINTER_PRINTERS) && hdr->code == UINT(NM_DBLCLK)) {
    ::SendMessageW(GetSheetHwnd(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    *result = 0;
    return TRUE;
  }
  return CPropertyPageExEx::OnNotify(wParam, lParam, result);
}
