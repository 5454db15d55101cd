// The rules of creating printers and ports, without any Windows call: unique
// printer names, port names, the printer record and the loop over a server's
// queues. The Windows build supplies the spooler through the Spooler interface.
#pragma once

#include "SetupText.h"

#include <functional>
#include <vector>

namespace twk::setup {

constexpr uint32_t kAttributesLocal = 0x240;     // PRINTER_ATTRIBUTE_LOCAL | DO_COMPLETE_FIRST
constexpr uint32_t kAttributesInternet = 0x210;  // PRINTER_ATTRIBUTE_NETWORK | DO_COMPLETE_FIRST

// The fields of a PRINTER_INFO_2 that the installer sets; all others are none or 0.
struct PrinterRecord {
  Text printerName;
  Text portName;
  Text driverName;
  Text printProcessor;
  uint32_t attributes = 0;
};

class Spooler {
public:
  virtual ~Spooler() = default;
  // The names of the local printers; false when the enumeration failed.
  virtual bool ListLocalPrinterNames(std::vector<Text>& names) = 0;
  // Whether the spooler takes two printer names for the same one.
  virtual bool SameName(const Text& a, const Text& b) { return EqualIgnoringCase(a, b); }
  // Creates a port through the "Local Port" monitor.
  virtual bool AddLocalPort(const Text& portName) = 0;
  // AddPrinterW level 2: a printer handle, or null with the last error in `error`.
  virtual void* CreatePrinter(const PrinterRecord& record, uint32_t& error) = 0;
  virtual void AssociateColorProfiles(const std::vector<Text>& profiles, const Text& printerName) = 0;
  virtual void ClosePrinter(void* printer) = 0;
};

// Longest printer name the installer makes: 31 on Windows 9x and NT 4, else 220.
size_t PrinterNameLimit(const WindowsKind& kind);

// The user's printer name made into the name of a new printer: cut to the limit
// (joined with "-" and the queue name unless single), cleaned of "\", "," and "!",
// "Nice Try" when nothing is left, then given a "(n)" counter until no local
// printer has that name (compared as the spooler compares). The counter may make
// the name longer than the limit.
Text MakeUniquePrinterName(const Text& baseName, const Text& suffix, bool single, const WindowsKind& kind,
                           Spooler& spooler);

// "http://host:631/printers/queue" for Internet printers, else "\\host\queue".
Text MakePortName(const Text& host, const Text& queue, bool internet);

// A single port that is a URL keeps its case; every other port name is lower-cased.
Text SinglePortName(const Text& port);

// What AddPrinters reads from the installer state.
struct PrintersRequest {
  Text printerName;
  Text singlePort;
  Text driverName;
  std::vector<Text> queues;
  Text serverHostName;
  Text serverAddress;
  bool serverAnswered = false;
  bool singlePortFlag = false;
  bool internetPrinters = false;
};

// Creates the single printer, or one printer per queue. Answers 0, or the code of
// the first AddPrinter that failed (the printers made before it stay, the queues
// after it are not tried).
uint32_t AddPrintersTo(Spooler& spooler, const PrintersRequest& request, const std::vector<Text>& colourProfiles,
                       const WindowsKind& kind);

// A spooler enumeration call: (buffer or null, its size in bytes, bytes needed,
// records returned, last error) -> success.
using EnumCall = std::function<bool(uint8_t*, uint32_t, uint32_t*, uint32_t*, uint32_t*)>;

// Runs an enumeration until its buffer is large enough (a bounded number of
// tries, for a list that grows meanwhile). On success `buffer` holds the records
// and `count` their number; on failure count is 0 and the answer false.
bool EnumerateRecords(const EnumCall& call, std::vector<uint8_t>& buffer, uint32_t& count);

// GetColorDirectoryW through a loader: (buffer or null, size in bytes) -> success;
// the loader answers false also when mscms.dll or the function is missing.
using ColorDirectoryCall = std::function<bool(char16_t*, uint32_t*)>;

// The colour directory; the driver directory when it cannot be had (never empty).
Text ResolveColorDirectory(const ColorDirectoryCall& call, const std::function<Text()>& driverDirectory);

}  // namespace twk::setup
