// Printers, ports and colour-profile associations (Windows build).
#pragma once

#include <windows.h>

#include "CString.h"
#include "InstallerState.h"
#include "Printers.h"

// Creates the printers the wizard was run for: the one printer on the single port,
// or one printer per queue of the chosen server. Answers 0, or the code of the
// first AddPrinterW that failed.
DWORD AddPrinters(const CString& driverName, const InstallerState& state, const CStringList& colourProfiles);

// "http://host:631/printers/queue" when `internet`, else "\\host\queue".
CString MakePortName(const CString& host, const CString& queue, bool internet);

// Creates a port through the "Local Port" monitor (winspool.drv's AddPortExW).
bool AddLocalPort(const CString& portName);

// Lets `monitorName`'s own dialog create a port; true when it did.
bool AddPortWithMonitor(const CString& monitorName, HWND window);

// Associates each profile of the colour directory with the printer (not on
// Windows 9x and NT 4). Leaves the thread's last error as it was.
void AssociateColorProfiles(const CStringList& profiles, const CString& printerName);

// Reads the driver, name and port of an installed printer. On failure the three
// strings are cleared and the answer is false.
bool GetInstalledPrinterInfo(const CString& printerName, InstalledPrinter& record);

// The printer name under which a printer is created (see twk::setup::MakeUniquePrinterName).
CString MakeUniquePrinterName(const CString& baseName, const CString& suffix, bool single);

// What AddPrinters reads from the installer state.
twk::setup::PrintersRequest PrintersRequestFrom(const CString& driverName, const InstallerState& state);

// The local spooler behind the portable printer rules.
class WindowsSpooler : public twk::setup::Spooler {
public:
  bool ListLocalPrinterNames(std::vector<twk::setup::Text>& names) override;
  bool SameName(const twk::setup::Text& a, const twk::setup::Text& b) override;
  bool AddLocalPort(const twk::setup::Text& portName) override;
  void* CreatePrinter(const twk::setup::PrinterRecord& record, uint32_t& error) override;
  void AssociateColorProfiles(const std::vector<twk::setup::Text>& profiles,
                              const twk::setup::Text& printerName) override;
  void ClosePrinter(void* printer) override;
};
