#include "CompleteRules.h"

#include "Printers.h"

bool PortLabelIsPlural(const SummaryPorts& ports) {
  return !ports.singlePortMode && ports.queues.size() >= 2;
}

std::u16string SummaryPortText(const SummaryPorts& ports) {
  if (ports.singlePortMode) return ports.singlePort;
  const std::u16string& host = ports.basedMode        ? ports.printServerName
                               : ports.serverAnswered ? ports.serverHostName
                                                      : ports.serverAddress;
  std::u16string text;
  for (const std::u16string& queue : ports.queues)
    text += twk::setup::MakePortName(host, queue, ports.internetPrinters) + u"\n";
  return text;
}

bool FinishInstallsDriver(bool basedMode, bool keepDriver, bool driverInstalled) {
  if (basedMode) return false;
  return !(keepDriver && driverInstalled);
}

namespace {

void Show(FinishSteps& steps, uint32_t code, FinishMessage message) {
  if (!steps.ShowSystemError(code)) steps.ShowMessage(message);
}

}  // namespace

bool RunFinish(FinishSteps& steps, bool installDriver) {
  if (installDriver) {
    bool registrationFailed = false;
    const uint32_t code = steps.InstallDriver(registrationFailed);
    if (code != 0) {
      if (registrationFailed)
        Show(steps, code, FinishMessage::DriverNotInstalled);
      else
        steps.ShowMessage(FinishMessage::DriverNotInstalled);
      return false;
    }
  }
  const uint32_t code = steps.AddPrinters();
  if (code != 0) {
    Show(steps, code, FinishMessage::PrintersNotInstalled);
    return false;
  }
  return true;
}
