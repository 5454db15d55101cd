// The Complete page's rules, free of Windows calls: the summary's port label and
// port text, whether Finish installs the driver, and the order of Finish with the
// message each failure shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the summary shows of the ports, from the installer state.
struct SummaryPorts {
  bool singlePortMode = false;
  std::u16string singlePort;
  std::vector<std::u16string> queues;
  bool basedMode = false;
  bool serverAnswered = false;
  bool internetPrinters = false;
  std::u16string printServerName;  // the server as the user knows it
  std::u16string serverHostName;
  std::u16string serverAddress;
};

// "Ports:" rather than "Port:": one printer per queue, and at least two queues.
bool PortLabelIsPlural(const SummaryPorts& ports);

// The single port as stored (its case kept), or each queue's port name followed by a
// line feed. The host of the queues' ports is the print server's name in based mode,
// else the host name when the server answered, else its IPv4 address.
std::u16string SummaryPortText(const SummaryPorts& ports);

// Finish installs the driver unless the printers are based on an installed printer,
// or the user kept the installed driver of the chosen model (the keep choice counts
// only while that model's driver is installed: a keep made for another model never
// skips the install the chosen one needs).
bool FinishInstallsDriver(bool basedMode, bool keepDriver, bool driverInstalled);

// The two localised failure messages of Finish.
enum class FinishMessage {
  DriverNotInstalled,    // "Could not install printer driver."
  PrintersNotInstalled,  // "Could not install printer(s)."
};

// The work and the message boxes of Finish.
class FinishSteps {
public:
  virtual ~FinishSteps() = default;
  // Installs the driver: 0, or a non-zero code; registrationFailed tells whether the
  // code came from registering the driver with the spooler (rather than from a
  // package that could not be read or copied).
  virtual uint32_t InstallDriver(bool& registrationFailed) = 0;
  // Creates the printers: 0, or the code of the first creation that failed.
  virtual uint32_t AddPrinters() = 0;
  // Shows the system's text for the code; false when it showed nothing.
  virtual bool ShowSystemError(uint32_t code) = 0;
  // Shows the localised message (nothing when its text is empty).
  virtual void ShowMessage(FinishMessage message) = 0;
};

// Finish: the driver (when installDriver), then the printers. A failed driver
// installation creates no printer. A failure of the spooler shows the system's text
// for its code, or the localised message when the system has none; a package that
// could not be read or copied shows the localised driver message. True when
// everything was created (the wizard closes).
bool RunFinish(FinishSteps& steps, bool installDriver);
