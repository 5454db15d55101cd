#include "ListQueuesPage.h"

#include "DriverInstallWin.h"
#include "ListQueuesRules.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TextLookupWin.h"
#include "Utf16.h"
#include "WinVersion.h"

IMPLEMENT_DYNCREATE(CListQueuesPage, CPropertyPageExEx)

CListQueuesPage::CListQueuesPage()
    : CPropertyPageExEx(IDD_LISTQUEUES, LoadText(texts::kQueuesTitle),
                        LoadText(texts::kQueuesSubtitle)) {}

void CListQueuesPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_LISTQUEUES_QUEUES, m_queues);
  DDX_Control(pDX, IDC_LISTQUEUES_NAME, m_name);
}

void CListQueuesPage::EnableInternetOption() {
  ::EnableWindow(GetDlgItemHwnd(IDC_LISTQUEUES_INTERNET), InternetOptionEnabled(false, IsWin9x()));
}

void CListQueuesPage::UpdateInternetOption() {
  const bool other = IsDlgButtonChecked(IDC_LISTQUEUES_OTHER) == BST_CHECKED;
  if (other) CheckDlgButton(IDC_LISTQUEUES_INTERNET, BST_UNCHECKED);
  ::EnableWindow(GetDlgItemHwnd(IDC_LISTQUEUES_INTERNET), InternetOptionEnabled(other, IsWin9x()));
}

BOOL CListQueuesPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  const InstallerState& state = TheState();
  EnableInternetOption();

  const int show = state.basedMode ? SW_SHOW : SW_HIDE;
  ::ShowWindow(GetDlgItemHwnd(IDC_LISTQUEUES_NAME), show);
  ::ShowWindow(GetDlgItemHwnd(IDC_LISTQUEUES_NAME_LABEL), show);
  m_name.SetLimitText(UINT(twk::setup::PrinterNameLimit(CurrentWindowsKind())));

  m_queues.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  m_queues.DeleteAllItems();
  if (m_queues.GetColumnCount() == 0) {
    m_queues.InsertColumn(0, L"", LVCFMT_LEFT);
    m_queues.SetColumnWidth(0, 200);
  }

  SetTexts({{IDC_LISTQUEUES_CHECKED, texts::kRadioQueues},
            {IDC_LISTQUEUES_SELECTALL, texts::kButtonSelectAll},
            {IDC_LISTQUEUES_UNSELECTALL, texts::kButtonUnselectAll},
            {IDC_LISTQUEUES_OTHER, texts::kRadioOtherConnection},
            {IDC_LISTQUEUES_OTHER_INFO, texts::kOtherConnectionInfo},
            {IDC_LISTQUEUES_INTERNET, texts::kCheckInternetPrinter},
            {IDC_LISTQUEUES_NAME_LABEL, texts::kPrinterNameLabel}});
  GiveSheetFont({IDC_LISTQUEUES_NAME});

  CheckRadioButton(IDC_LISTQUEUES_CHECKED, IDC_LISTQUEUES_OTHER,
                   QueuesRadioToCheck(state.radioQueues));
  UpdateInternetOption();
  FillQueueList();
  return CPropertyPageExEx::OnSetActive();
}

void CListQueuesPage::FillQueueList() {
  const InstallerState& state = TheState();
  // Drawn once when filled, however many queues the server named.
  m_queues.SetRedraw(FALSE);
  for (POSITION pos = state.queueList.GetHeadPosition(); pos;) {
    const int item = m_queues.InsertItem(m_queues.GetItemCount(), state.queueList.GetNext(pos));
    if (item >= 0) m_queues.SetCheck(item, TRUE);
  }
  m_queues.SetRedraw(TRUE);
  m_queues.Invalidate();
  if (state.basedMode) {
    SetDlgItemText(IDC_LISTQUEUES_NAME, ToCString(PrefillQueuePrinterName(ToU16(state.typedPrinterName),
                                                             ToU16(state.printServerName),
                                                             ToU16(state.installedPrinter.printerName))));
  }
}

void CListQueuesPage::CollectCheckedQueues() {
  CStringList& queues = TheState().queueList;
  queues.RemoveAll();
  const int count = m_queues.GetItemCount();
  for (int i = 0; i < count; ++i) {
    if (m_queues.GetCheck(i)) queues.AddTail(m_queues.GetItemText(i, 0));
  }
}

bool CListQueuesPage::AnyQueueChecked() const {
  const int count = m_queues.GetItemCount();
  for (int i = 0; i < count; ++i) {
    if (m_queues.GetCheck(i)) return true;
  }
  return false;
}

void CListQueuesPage::CheckAllQueues(bool check) {
  const int count = m_queues.GetItemCount();
  for (int i = 0; i < count; ++i) m_queues.SetCheck(i, check);
}

LRESULT CListQueuesPage::OnWizardNext() {
  InstallerState& state = TheState();
  state.radioQueues = GetCheckedRadioButton(IDC_LISTQUEUES_CHECKED, IDC_LISTQUEUES_OTHER);

  CString name;
  GetDlgItemText(IDC_LISTQUEUES_NAME, name);
  QueueNextInput input;
  input.basedMode = state.basedMode;
  input.radio = state.radioQueues;
  input.anyQueueChecked = AnyQueueChecked();
  input.printerName = ToU16(name);
  input.kind = CurrentWindowsKind();
  const QueueNextDecision decision = DecideQueueNext(input);

  if (decision.storeName) {
    state.printerName = name;
    state.typedPrinterName = name;
  }
  switch (decision.refusal) {
    case QueueRefusal::None:
      break;
    case QueueRefusal::NoQueue:
      ShowError(this, LoadText(texts::kErrorSelectQueue));
      return -1;
    case QueueRefusal::EmptyName:
    case QueueRefusal::NameTooLong:
      ShowError(this, decision.refusal == QueueRefusal::EmptyName
                          ? LoadText(texts::kErrorEmptyPrinterName)
                          : LoadText(texts::kErrorPrinterNameTooLong));
      // The message concerns the name field: its text selected, the focus in it.
      m_name.SetSel(0, -1);
      m_name.SetFocus();
      return -1;
  }

  if (decision.storeInternetFlag) state.internetPrinter = IsDlgButtonChecked(IDC_LISTQUEUES_INTERNET) == BST_CHECKED;
  if (decision.collectQueues) {
    CollectCheckedQueues();
    state.singlePortMode = false;
  }
  if (decision.takeInstalledDriver) state.driverName = state.installedPrinter.driverName;
  return AcceptNext(decision.nextPage);
}

LRESULT CListQueuesPage::OnWizardBack() {
  InstallerState& state = TheState();
  CollectCheckedQueues();
  state.radioQueues = GetCheckedRadioButton(IDC_LISTQUEUES_CHECKED, IDC_LISTQUEUES_OTHER);
  GetDlgItemText(IDC_LISTQUEUES_NAME, state.typedPrinterName);
  return GoBack();
}

BOOL CListQueuesPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED) {
    switch (LOWORD(wParam)) {
      case IDC_LISTQUEUES_SELECTALL:
      case IDC_LISTQUEUES_UNSELECTALL:
        // The radio only: the Internet-printer option stays as "Other Connection" left it.
        CheckRadioButton(IDC_LISTQUEUES_CHECKED, IDC_LISTQUEUES_OTHER, IDC_LISTQUEUES_CHECKED);
        CheckAllQueues(LOWORD(wParam) == IDC_LISTQUEUES_SELECTALL);
        return TRUE;
      case IDC_LISTQUEUES_CHECKED:
        EnableInternetOption();
        return TRUE;
      case IDC_LISTQUEUES_OTHER:
        UpdateInternetOption();
        return TRUE;
      default:
        break;
    }
  }
  return CPropertyPageExEx::OnCommand(wParam, lParam);
}

BOOL CListQueuesPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr && hdr->idFrom == UINT_PTR(IDC_LISTQUEUES_QUEUES) && hdr->code == NM_CLICK) {
    CheckRadioButton(IDC_LISTQUEUES_CHECKED, IDC_LISTQUEUES_OTHER, IDC_LISTQUEUES_CHECKED);
    *result = 0;
    return TRUE;
  }
  return CPropertyPageExEx::OnNotify(wParam, lParam, result);
}
