#include "OtherPortPage.h"

#include <vector>

#include "DriverInstallWin.h"
#include "NetText.h"
#include "PrintServerNet.h"
#include "PrintersWin.h"
#include "SpoolerLists.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TextLookupWin.h"
#include "Utf16.h"
#include "WinVersion.h"

IMPLEMENT_DYNCREATE(COtherPortPage, CPropertyPageExEx)

PortMaker* g_portMaker = nullptr;

namespace {

// Posted at the end of an activation.
constexpr UINT kActivationDone = WM_APP + 8;

ConnectionKind KindOf(int32_t radio) {
  switch (radio) {
    case IDC_OTHERPORT_URL:
      return ConnectionKind::Url;
    case IDC_OTHERPORT_EXISTING:
      return ConnectionKind::ExistingPort;
    case IDC_OTHERPORT_NEW:
      return ConnectionKind::NewPort;
    default:
      return ConnectionKind::UncName;
  }
}

// The echo and the connect probe of the network library.
class WinConnectionProbe : public ConnectionProbe {
public:
  bool Echo(const std::u16string& host) override {
    PingResult result{};
    return PingHost(host, result);
  }
  bool Connect(const std::string& host, int port) override { return CanConnect(host.c_str(), port); }
  std::string ToAnsi(const std::u16string& text) override { return ::ToAnsi(text); }
};

// The spooler's ports and the monitor's own dialog, owned by the page.
class WinPortMaker : public PortMaker {
public:
  explicit WinPortMaker(HWND owner) : owner_(owner) {}
  bool AddPortWithMonitor(const std::u16string& monitor) override {
    return ::AddPortWithMonitor(ToCString(monitor), owner_);
  }
  std::vector<std::u16string> PortNames() override {
    CStringList names;
    EnumPortNames(names);
    return ToU16List(names);
  }

private:
  HWND owner_;
};

CString SelectedText(const CComboBox& list) {
  CString text;
  const int item = list.GetCurSel();
  if (item >= 0) list.GetLBText(item, text);
  return text;
}

}  // namespace

COtherPortPage::COtherPortPage()
    : CPropertyPageExEx(IDD_OTHERPORT, LoadText(texts::kOtherPortTitle),
                        LoadText(texts::kOtherPortSubtitle)) {
  m_strCaption = LoadText(texts::kProgramName);
  m_psp.dwFlags |= PSP_USETITLE;
}

void COtherPortPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_OTHERPORT_PORTS, m_ports);
  DDX_Control(pDX, IDC_OTHERPORT_MONITORS, m_monitors);
}

BOOL COtherPortPage::OnSetActive() {
  InstallerState& state = TheState();
  m_shown = false;
  PostWizardButtons(kBackNext);
  const BOOL urlAllowed = !IsWin9x();
  for (int id : {IDC_OTHERPORT_URL_EDIT, IDC_OTHERPORT_URL, IDC_OTHERPORT_URL_LABEL, IDC_OTHERPORT_URL_EXAMPLE})
    ::EnableWindow(GetDlgItemHwnd(id), urlAllowed);
  SendDlgItemMessage(IDC_OTHERPORT_NAME, EM_LIMITTEXT, twk::setup::PrinterNameLimit(CurrentWindowsKind()));
  ::EnableWindow(GetDlgItemHwnd(IDC_OTHERPORT_NAME), state.basedMode);
  if (state.basedMode) SetDlgItemText(IDC_OTHERPORT_NAME, state.printerName);

  SetTexts({{IDC_OTHERPORT_UNC, texts::kRadioUnc},
            {IDC_OTHERPORT_URL, texts::kRadioUrl},
            {IDC_OTHERPORT_EXISTING, texts::kRadioExistingPort},
            {IDC_OTHERPORT_NEW, texts::kRadioNewPort},
            {IDC_OTHERPORT_UNC_EXAMPLE, texts::kUncExample},
            {IDC_OTHERPORT_URL_EXAMPLE, texts::kUrlExample},
            {IDC_OTHERPORT_UNC_LABEL, texts::kUncLabel},
            {IDC_OTHERPORT_URL_LABEL, texts::kUrlLabel},
            {IDC_OTHERPORT_NAME_LABEL, texts::kPrinterNameLabel}});
  GiveSheetFont({IDC_OTHERPORT_PORTS, IDC_OTHERPORT_MONITORS, IDC_OTHERPORT_NAME});

  switch (state.radioConnection) {
    case IDC_OTHERPORT_URL:
      SetDlgItemText(IDC_OTHERPORT_URL_EDIT, state.typedUrl);
      CheckRadioButton(IDC_OTHERPORT_UNC, IDC_OTHERPORT_NEW, IDC_OTHERPORT_URL);
      break;
    case IDC_OTHERPORT_EXISTING:
    case IDC_OTHERPORT_NEW:
      CheckRadioButton(IDC_OTHERPORT_UNC, IDC_OTHERPORT_NEW, state.radioConnection);
      break;
    default:
      if (state.radioConnection == IDC_OTHERPORT_UNC) SetDlgItemText(IDC_OTHERPORT_UNC_EDIT, state.typedUncName);
      CheckRadioButton(IDC_OTHERPORT_UNC, IDC_OTHERPORT_NEW, IDC_OTHERPORT_UNC);
      break;
  }
  FillPortCombo();
  FillMonitorCombo();
  PostMessage(kActivationDone);
  return CPropertyPageExEx::OnSetActive();
}

void COtherPortPage::FillPortCombo() {
  InstallerState& state = TheState();
  m_ports.ResetContent();
  EnumPortNames(state.portsBeforeNewPort);
  if (state.portsBeforeNewPort.IsEmpty()) return;
  for (POSITION p = state.portsBeforeNewPort.GetHeadPosition(); p;) m_ports.AddString(state.portsBeforeNewPort.GetNext(p));
  // The port chosen before, by the list's own prefix search (without case) from
  // after item 0 round to the top; item 0 when it is not there.
  const int found = int(m_ports.SendMessage(CB_FINDSTRING, 0, reinterpret_cast<LPARAM>(state.chosenPort.GetString())));
  m_ports.SetCurSel(found == CB_ERR ? 0 : found);
}

void COtherPortPage::FillMonitorCombo() {
  m_monitors.ResetContent();
  CStringList names;
  EnumMonitorNames(names);
  for (POSITION p = names.GetHeadPosition(); p;) m_monitors.AddString(names.GetNext(p));
  if (m_monitors.GetCount() > 0) m_monitors.SetCurSel(0);
}

void COtherPortPage::SavePortControls() {
  InstallerState& state = TheState();
  switch (state.radioConnection) {
    case IDC_OTHERPORT_UNC:
      GetDlgItemText(IDC_OTHERPORT_UNC_EDIT, state.typedUncName);
      break;
    case IDC_OTHERPORT_URL:
      GetDlgItemText(IDC_OTHERPORT_URL_EDIT, state.typedUrl);
      break;
    case IDC_OTHERPORT_EXISTING:
      state.chosenPort = SelectedText(m_ports);
      break;
    default:
      break;
  }
  if (state.basedMode) GetDlgItemText(IDC_OTHERPORT_NAME, state.printerName);
}

void COtherPortPage::Refuse(PortRefusal refusal, PortField field, const std::u16string& server) {
  CString text;
  switch (refusal) {
    case PortRefusal::NotAPort:
      text = LoadText(texts::kErrorInvalidPort);
      break;
    case PortRefusal::ServerUnreachable:
      text = ToCString(ServerUnreachableMessage(ToU16(LoadText(texts::kErrorCannotConnectTo)), server));
      break;
    case PortRefusal::CannotConnect:
      text = LoadText(texts::kErrorCannotConnect);
      break;
    case PortRefusal::NameEmpty:
      text = LoadText(texts::kErrorEmptyPrinterName);
      break;
    case PortRefusal::NameTooLong:
      text = LoadText(texts::kErrorPrinterNameTooLong);
      break;
    case PortRefusal::None:
      return;
  }
  ShowError(this, text);
  int id = 0;
  switch (field) {
    case PortField::UncName:
      id = IDC_OTHERPORT_UNC_EDIT;
      break;
    case PortField::Url:
      id = IDC_OTHERPORT_URL_EDIT;
      break;
    case PortField::PortList:
      id = IDC_OTHERPORT_PORTS;
      break;
    case PortField::PrinterName:
      id = IDC_OTHERPORT_NAME;
      break;
    case PortField::None:
      return;
  }
  if (field != PortField::PortList) SendDlgItemMessage(id, EM_SETSEL, 0, -1);
  ::SetFocus(GetDlgItemHwnd(id));
}

bool COtherPortPage::ValidatePortChoice() {
  InstallerState& state = TheState();
  PortChoice choice;
  choice.kind = KindOf(state.radioConnection);
  CString text;
  GetDlgItemText(IDC_OTHERPORT_UNC_EDIT, text);
  choice.uncText = ToU16(text);
  GetDlgItemText(IDC_OTHERPORT_URL_EDIT, text);
  choice.urlText = ToU16(text);
  choice.portSelected = m_ports.GetCurSel() >= 0;
  choice.selectedPort = ToU16(SelectedText(m_ports));
  choice.basedMode = state.basedMode;
  choice.printerName = ToU16(state.printerName);
  choice.windows = CurrentWindowsKind();

  WinConnectionProbe probe;
  const PortVerdict verdict = CheckPortChoice(choice, probe);
  if (verdict.singlePortSet) state.singlePort = ToCString(verdict.singlePort);
  if (!verdict.accepted) Refuse(verdict.refusal, verdict.focus, verdict.server);
  return verdict.accepted;
}

bool COtherPortPage::CreateNewPort() {
  InstallerState& state = TheState();
  WinPortMaker spooler(m_hWnd);
  PortMaker& maker = g_portMaker ? *g_portMaker : spooler;
  std::u16string single = ToU16(state.singlePort);
  const bool found = MakeNewPort(maker, ToU16(SelectedText(m_monitors)), ToU16List(state.portsBeforeNewPort), single);
  state.singlePort = ToCString(single);
  FillPortCombo();
  return found;
}

LRESULT COtherPortPage::OnWizardNext() {
  ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  InstallerState& state = TheState();
  state.radioConnection = GetCheckedRadioButton(IDC_OTHERPORT_UNC, IDC_OTHERPORT_NEW);
  state.singlePortMode = true;
  SavePortControls();
  if (!ValidatePortChoice()) return -1;
  if (state.radioConnection == IDC_OTHERPORT_NEW && !CreateNewPort()) return -1;
  return AcceptNext(state.radioDriverOrigin == IDC_NEWOLD_BASED ? IDD_COMPLETE : IDD_LISTMODEL);
}

LRESULT COtherPortPage::OnWizardBack() {
  TheState().radioConnection = GetCheckedRadioButton(IDC_OTHERPORT_UNC, IDC_OTHERPORT_NEW);
  SavePortControls();
  return GoBack();
}

BOOL COtherPortPage::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != kActivationDone) return CPropertyPageExEx::OnWndMsg(message, wParam, lParam, result);
  m_shown = true;
  int field = IDC_OTHERPORT_UNC_EDIT;
  switch (GetCheckedRadioButton(IDC_OTHERPORT_UNC, IDC_OTHERPORT_NEW)) {
    case IDC_OTHERPORT_URL:
      field = IDC_OTHERPORT_URL_EDIT;
      break;
    case IDC_OTHERPORT_EXISTING:
      field = IDC_OTHERPORT_PORTS;
      break;
    case IDC_OTHERPORT_NEW:
      field = IDC_OTHERPORT_MONITORS;
      break;
    default:
      break;
  }
  // Only while the page is the one shown (it may have been left meanwhile).
  if (::IsWindowVisible(m_hWnd)) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItemHwnd(field)), TRUE);
  *result = 0;
  return TRUE;
}

BOOL COtherPortPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  int radio = 0;
  if (id == IDC_OTHERPORT_UNC_EDIT && code == EN_SETFOCUS) radio = IDC_OTHERPORT_UNC;
  if (id == IDC_OTHERPORT_URL_EDIT && code == EN_SETFOCUS) radio = IDC_OTHERPORT_URL;
  if (id == IDC_OTHERPORT_PORTS && code == CBN_SETFOCUS) radio = IDC_OTHERPORT_EXISTING;
  if (id == IDC_OTHERPORT_MONITORS && code == CBN_SETFOCUS) radio = IDC_OTHERPORT_NEW;
  if (radio == 0) return CPropertyPageExEx::OnCommand(wParam, lParam);
  if (m_shown) CheckRadioButton(IDC_OTHERPORT_UNC, IDC_OTHERPORT_NEW, radio);
  return TRUE;
}
