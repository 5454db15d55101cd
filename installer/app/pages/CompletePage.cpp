#include "CompletePage.h"

#include <vector>

#include "CompleteRules.h"
#include "DriverInstallWin.h"
#include "PrintersWin.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TextLookupWin.h"
#include "Utf16.h"

IMPLEMENT_DYNCREATE(CCompletePage, CPropertyPageExEx)

AddPrintersFunction g_addPrinters = &AddPrinters;

namespace {

SummaryPorts SummaryFrom(const InstallerState& state) {
  SummaryPorts ports;
  ports.singlePortMode = state.singlePortMode;
  ports.singlePort = ToU16(state.singlePort);
  ports.queues = ToU16List(state.queueList);
  ports.basedMode = state.basedMode;
  ports.serverAnswered = state.serverAnswered;
  ports.internetPrinters = state.internetPrinter;
  ports.printServerName = ToU16(state.printServerName);
  ports.serverHostName = ToU16(state.serverHostName);
  ports.serverAddress = ToU16(state.serverAddress);
  return ports;
}

// Finish's work on Windows: the INF package, the spooler and the message boxes.
class WinFinishSteps : public FinishSteps {
public:
  explicit WinFinishSteps(CCompletePage& page) : page_(page) {}

  uint32_t InstallDriver(bool& registrationFailed) override {
    return InstallPrinterDriver(TheState().driverSource, page_.m_hWnd, profiles_, registrationFailed);
  }
  uint32_t AddPrinters() override { return g_addPrinters(TheState().driverName, TheState(), profiles_); }
  bool ShowSystemError(uint32_t code) override { return ::ShowSystemError(code); }
  void ShowMessage(FinishMessage message) override {
    const CString text = message == FinishMessage::DriverNotInstalled
                             ? LoadText(texts::kErrorInstallDriver)
                             : LoadText(texts::kErrorInstallPrinters);
    if (!text.IsEmpty()) ShowError(&page_, text);
  }

private:
  CCompletePage& page_;
  CStringList profiles_;  // the colour profiles the package installs, freed with the steps
};

}  // namespace

CCompletePage::CCompletePage() : CPropertyPageExEx(IDD_COMPLETE, CString(), CString()) {
  m_psp.dwFlags |= PSP_HIDEHEADER;
}

BOOL CCompletePage::OnSetActive() {
  // The port list may hold several lines and ampersands: shown as they are.
  if (HWND ports = GetDlgItemHwnd(IDC_COMPLETE_PORTS))
    ::SetWindowLongPtrW(ports, GWL_STYLE, ::GetWindowLongPtrW(ports, GWL_STYLE) | SS_EDITCONTROL);
  PostWizardButtons(kBackNextFinish);
  const bool plural = PortLabelIsPlural(SummaryFrom(TheState()));
  SetTexts({{IDC_COMPLETE_HEADING, texts::kCompleteHeading},
            {IDC_COMPLETE_SUBHEADING, texts::kCompleteSubheading},
            {IDC_COMPLETE_NAME_LABEL, texts::kPrinterNameLabel},
            {IDC_COMPLETE_DRIVER_LABEL, texts::kDriverLabel},
            plural ? TextItem{IDC_COMPLETE_PORT_LABEL, texts::kPortsLabel}
                   : TextItem{IDC_COMPLETE_PORT_LABEL, texts::kPortLabel},
            {IDC_COMPLETE_FINISH, texts::kCompleteFinish}});
  SetHeadingFont(IDC_COMPLETE_HEADING);
  FormatPortList();
  return CPropertyPageExEx::OnSetActive();
}

void CCompletePage::FormatPortList() {
  const InstallerState& state = TheState();
  SetDlgItemText(IDC_COMPLETE_NAME, state.printerName);
  SetDlgItemText(IDC_COMPLETE_DRIVER, state.driverName);
  SetDlgItemText(IDC_COMPLETE_PORTS, ToCString(SummaryPortText(SummaryFrom(state))));
  GiveSheetFont({IDC_COMPLETE_NAME, IDC_COMPLETE_DRIVER, IDC_COMPLETE_PORTS});
}

LRESULT CCompletePage::OnWizardBack() { return GoBack(); }

BOOL CCompletePage::OnWizardFinish() {
  ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  const InstallerState& state = TheState();
  WinFinishSteps steps(*this);
  if (!RunFinish(steps, FinishInstallsDriver(state.basedMode, state.keepDriver, state.driverInstalled)))
    return FALSE;
  return CPropertyPageExEx::OnWizardFinish();
}
