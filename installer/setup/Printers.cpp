#include "Printers.h"

#include <algorithm>

namespace twk::setup {

size_t PrinterNameLimit(const WindowsKind& kind) { return kind.win9x || kind.nt4 ? 31 : 220; }

Text MakeUniquePrinterName(const Text& baseName, const Text& suffix, bool single, const WindowsKind& kind,
                           Spooler& spooler) {
  const size_t limit = PrinterNameLimit(kind);
  Text name;
  if (single) {
    name = baseName.substr(0, limit);
  } else {
    const size_t room = limit > suffix.size() + 1 ? limit - suffix.size() - 1 : 0;
    name = baseName.substr(0, room) + u"-" + suffix;
  }
  for (char16_t removed : {u'\\', u',', u'!'}) name.erase(std::remove(name.begin(), name.end(), removed), name.end());
  if (name.empty()) name = u"Nice Try";

  uint64_t counter = 1;
  std::vector<Text> names;
  for (;;) {
    names.clear();
    if (!spooler.ListLocalPrinterNames(names)) names.clear();
    const bool taken = std::any_of(names.begin(), names.end(),
                                   [&](const Text& other) { return spooler.SameName(name, other); });
    if (!taken) return name;
    if (name.find(u')') != Text::npos) {
      const size_t open = name.rfind(u'(');
      const size_t close = name.rfind(u')');
      const Text prefix = open == Text::npos ? Text() : name.substr(0, open);
      const Text inner = open != Text::npos && open < close ? name.substr(open + 1, close - open - 1) : Text();
      name = prefix + u"(" + IncrementCDecimal(inner) + u")";
    } else {
      name += u"(" + ToText(counter) + u")";
    }
    ++counter;
  }
}

Text MakePortName(const Text& host, const Text& queue, bool internet) {
  if (internet) return u"http://" + host + u":631/printers/" + queue;
  return u"\\\\" + host + u"\\" + queue;
}

Text SinglePortName(const Text& port) {
  const Text lower = ToLowerAscii(port);
  if (lower.rfind(u"http://", 0) == 0 || lower.rfind(u"https://", 0) == 0) return port;
  return lower;
}

namespace {

// AddPrinter, then the colour profiles for the new printer: 0, or the failure's
// code (never 0, also when the spooler left no last error).
uint32_t CreatePrinterWithProfiles(Spooler& spooler, const PrinterRecord& record,
                                   const std::vector<Text>& colourProfiles) {
  uint32_t error = 0;
  void* printer = spooler.CreatePrinter(record, error);
  if (!printer) return FailureCode(error);
  spooler.AssociateColorProfiles(colourProfiles, record.printerName);
  spooler.ClosePrinter(printer);
  return 0;
}

}  // namespace

uint32_t AddPrintersTo(Spooler& spooler, const PrintersRequest& request, const std::vector<Text>& colourProfiles,
                       const WindowsKind& kind) {
  PrinterRecord record;
  record.driverName = request.driverName;
  record.printProcessor = u"WinPrint";

  if (request.singlePortFlag) {
    record.portName = SinglePortName(request.singlePort);
    record.printerName = MakeUniquePrinterName(request.printerName, Text(), true, kind, spooler);
    record.attributes = kAttributesLocal;
    return CreatePrinterWithProfiles(spooler, record, colourProfiles);
  }

  const Text& host = request.serverAnswered ? request.serverHostName : request.serverAddress;
  for (const Text& queue : request.queues) {
    record.portName = MakePortName(host, queue, request.internetPrinters);
    if (!request.internetPrinters) {
      record.portName = ToLowerAscii(record.portName);
      // A port that exists already is simply used.
      spooler.AddLocalPort(record.portName);
    }
    record.printerName = MakeUniquePrinterName(request.printerName, queue, false, kind, spooler);
    record.attributes = request.internetPrinters ? kAttributesInternet : kAttributesLocal;
    const uint32_t error = CreatePrinterWithProfiles(spooler, record, colourProfiles);
    if (error != 0) return error;
  }
  return 0;
}

bool EnumerateRecords(const EnumCall& call, std::vector<uint8_t>& buffer, uint32_t& count) {
  buffer.clear();
  for (int attempt = 0; attempt < 8; ++attempt) {
    uint32_t needed = 0, returned = 0, error = 0;
    const uint32_t size = uint32_t(buffer.size());
    if (call(buffer.empty() ? nullptr : buffer.data(), size, &needed, &returned, &error)) {
      // Records can only stand in a buffer; none without one.
      count = buffer.empty() ? 0 : returned;
      return true;
    }
    if (error != kErrorInsufficientBuffer || needed <= size) break;
    buffer.assign(needed, 0);
  }
  buffer.clear();
  count = 0;
  return false;
}

Text ResolveColorDirectory(const ColorDirectoryCall& call, const std::function<Text()>& driverDirectory) {
  uint32_t bytes = 0;
  // The size query answers FALSE (buffer too small) together with the size.
  if (!call(nullptr, &bytes) && bytes == 0) return driverDirectory();
  std::u16string buffer(bytes / sizeof(char16_t) + 1, u'\0');
  uint32_t size = uint32_t(buffer.size() * sizeof(char16_t));
  if (!call(&buffer[0], &size)) return driverDirectory();
  const size_t end = buffer.find(u'\0');
  if (end != Text::npos) buffer.resize(end);
  if (buffer.empty()) return driverDirectory();
  return buffer;
}

}  // namespace twk::setup
