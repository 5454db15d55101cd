#include "Printers.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace twk::setup;

namespace {

const WindowsKind kWin9x{true, false, false};
const WindowsKind kNT4{false, true, false};
const WindowsKind kNT5{false, false, false};

// A spooler in memory: its printers and ports, and every call made.
class FakeSpooler : public Spooler {
public:
  std::vector<Text> printers;
  std::vector<Text> ports;
  std::vector<PrinterRecord> added;
  std::vector<std::pair<Text, std::vector<Text>>> associated;
  std::vector<Text> addedPorts;
  bool enumFails = false;
  int failAddNumber = 0;  // 1-based AddPrinter call that fails
  uint32_t failCode = 1802;
  int closed = 0;

  bool ListLocalPrinterNames(std::vector<Text>& names) override {
    if (enumFails) return false;
    names = printers;
    return true;
  }
  bool AddLocalPort(const Text& port) override {
    addedPorts.push_back(port);
    if (std::find(ports.begin(), ports.end(), port) != ports.end()) return false;
    ports.push_back(port);
    return true;
  }
  void* CreatePrinter(const PrinterRecord& record, uint32_t& error) override {
    added.push_back(record);
    if (int(added.size()) == failAddNumber) {
      error = failCode;
      return nullptr;
    }
    printers.push_back(record.printerName);
    return &printers;
  }
  void AssociateColorProfiles(const std::vector<Text>& profiles, const Text& name) override {
    associated.emplace_back(name, profiles);
  }
  void ClosePrinter(void*) override { ++closed; }
};

Text Repeat(char16_t c, size_t n) { return Text(n, c); }

}  // namespace

TEST(UniquePrinterName, CutJoinCleanAndCount) {
  const Text forty = Repeat(u'x', 40);
  struct Case {
    const char* what;
    Text base, suffix;
    bool single;
    WindowsKind kind;
    std::vector<Text> existing;
    Text result;
  } cases[] = {
      {"free", u"Office", u"", true, kNT5, {}, u"Office"},
      {"suffix ignored when single", u"Office", u"Hold", true, kNT5, {}, u"Office"},
      {"taken once", u"Office", u"", true, kNT5, {u"Office"}, u"Office(1)"},
      {"taken twice", u"Office", u"", true, kNT5, {u"Office", u"Office(1)"}, u"Office(2)"},
      {"case ignored like the spooler", u"Office", u"", true, kNT5, {u"office"}, u"Office(1)"},
      {"per queue", u"Office", u"Hold", false, kNT5, {}, u"Office-Hold"},
      {"per queue taken", u"Office", u"Hold", false, kNT5, {u"OFFICE-HOLD"}, u"Office-Hold(1)"},
      {"cut before dash and queue on NT 4", forty, u"Hold", false, kNT4, {}, Repeat(u'x', 26) + u"-Hold"},
      {"cut on 9x", forty, u"", true, kWin9x, {}, Repeat(u'x', 31)},
      {"cut at 220", Repeat(u'y', 300), u"", true, kNT5, {}, Repeat(u'y', 220)},
      {"long queue leaves only dash and queue", u"Office", Repeat(u'q', 30), false, kNT4, {}, u"-" + Repeat(u'q', 30)},
      {"queue longer than the limit is kept", u"Office", Repeat(u'q', 40), false, kNT4, {}, u"-" + Repeat(u'q', 40)},
      {"counter may pass the limit", Repeat(u'z', 220), u"", true, kNT5, {Repeat(u'z', 220)}, Repeat(u'z', 220) + u"(1)"},
      {"removed characters", u"A\\B,C!D", u"", true, kNT5, {}, u"ABCD"},
      {"removed from the queue too", u"Lab", u"x!y", false, kNT5, {}, u"Lab-xy"},
      {"nothing left", u"\\,!", u"", true, kNT5, {}, u"Nice Try"},
      {"empty name", u"", u"", true, kNT5, {}, u"Nice Try"},
      {"Nice Try taken", u"!!", u"", true, kNT5, {u"Nice Try"}, u"Nice Try(1)"},
      {"text counter", u"Lab (colour)", u"", true, kNT5, {u"Lab (colour)"}, u"Lab (1)"},
      {"counter with trailing text", u"A(7)x", u"", true, kNT5, {u"A(7)x"}, u"A(8)"},
      {"counter chain", u"A(7)", u"", true, kNT5, {u"A(7)", u"A(8)", u"A(9)"}, u"A(10)"},
      {"huge counter", u"A(99999999999999999999)", u"", true, kNT5, {u"A(99999999999999999999)"},
       u"A(100000000000000000000)"},
      {"close paren without open", u"A)b", u"", true, kNT5, {u"A)b"}, u"(1)"},
      {"open after close", u"x)y(z", u"", true, kNT5, {u"x)y(z"}, u"x)y(1)"},
  };
  for (const Case& c : cases) {
    FakeSpooler spooler;
    spooler.printers = c.existing;
    EXPECT_EQ(c.result, MakeUniquePrinterName(c.base, c.suffix, c.single, c.kind, spooler)) << c.what;
  }
}

TEST(UniquePrinterName, FailedEnumerationTakesTheNameAsFree) {
  FakeSpooler spooler;
  spooler.printers = {u"Office"};
  spooler.enumFails = true;
  EXPECT_EQ(Text(u"Office"), MakeUniquePrinterName(u"Office", u"", true, kNT5, spooler));
}

TEST(PortName, LocalAndInternetForms) {
  EXPECT_EQ(Text(u"http://SRV:631/printers/Hold"), MakePortName(u"SRV", u"Hold", true));
  EXPECT_EQ(Text(u"\\\\SRV\\Hold"), MakePortName(u"SRV", u"Hold", false));
  EXPECT_EQ(Text(u"lpt1:"), SinglePortName(u"LPT1:"));
  EXPECT_EQ(Text(u"\\\\srv\\q"), SinglePortName(u"\\\\SRV\\Q"));
  EXPECT_EQ(Text(u"http://SRV:631/printers/Hold"), SinglePortName(u"http://SRV:631/printers/Hold"));
  EXPECT_EQ(Text(u"HTTPS://Srv/Q"), SinglePortName(u"HTTPS://Srv/Q"));
}

namespace {

PrintersRequest Queues(std::vector<Text> queues, bool internet, bool answered = true) {
  PrintersRequest r;
  r.printerName = u"Office";
  r.driverName = u"Test PS";
  r.queues = std::move(queues);
  r.serverHostName = u"SRV";
  r.serverAddress = u"10.1.2.3";
  r.serverAnswered = answered;
  r.internetPrinters = internet;
  return r;
}

}  // namespace

TEST(AddPrinters, PortsNamesAndAttributesPerQueue) {
  struct Case {
    bool internet, answered;
    std::vector<Text> ports;
    uint32_t attributes;
    std::vector<Text> createdPorts;
  } cases[] = {
      {false, true, {u"\\\\srv\\hold", u"\\\\srv\\normal"}, 0x240, {u"\\\\srv\\hold", u"\\\\srv\\normal"}},
      {true, true, {u"http://SRV:631/printers/Hold", u"http://SRV:631/printers/Normal"}, 0x210, {}},
      {false, false, {u"\\\\10.1.2.3\\hold", u"\\\\10.1.2.3\\normal"}, 0x240, {u"\\\\10.1.2.3\\hold", u"\\\\10.1.2.3\\normal"}},
      {true, false, {u"http://10.1.2.3:631/printers/Hold", u"http://10.1.2.3:631/printers/Normal"}, 0x210, {}},
  };
  for (const Case& c : cases) {
    FakeSpooler spooler;
    spooler.ports = {u"\\\\srv\\hold"};  // an existing port is simply used
    ASSERT_EQ(0u, AddPrintersTo(spooler, Queues({u"Hold", u"Normal"}, c.internet, c.answered), {u"p.icc"}, kNT5));
    ASSERT_EQ(2u, spooler.added.size());
    EXPECT_EQ(c.createdPorts, spooler.addedPorts);
    const Text names[] = {u"Office-Hold", u"Office-Normal"};
    for (size_t i = 0; i < 2; ++i) {
      const PrinterRecord& r = spooler.added[i];
      EXPECT_EQ(names[i], r.printerName);
      EXPECT_EQ(c.ports[i], r.portName);
      EXPECT_EQ(Text(u"Test PS"), r.driverName);
      EXPECT_EQ(Text(u"WinPrint"), r.printProcessor);
      EXPECT_EQ(c.attributes, r.attributes);
      EXPECT_EQ(names[i], spooler.associated.at(i).first);
      EXPECT_EQ(std::vector<Text>{u"p.icc"}, spooler.associated.at(i).second);
    }
    EXPECT_EQ(2, spooler.closed);
  }
}

TEST(AddPrinters, SecondOfThreeFailsKeepsFirstAndStops) {
  FakeSpooler spooler;
  spooler.failAddNumber = 2;
  EXPECT_EQ(1802u, AddPrintersTo(spooler, Queues({u"Hold", u"Normal", u"Proof"}, false), {u"p.icc"}, kNT5));
  ASSERT_EQ(2u, spooler.added.size());
  EXPECT_EQ(std::vector<Text>{u"Office-Hold"}, spooler.printers);
  ASSERT_EQ(1u, spooler.associated.size());
  EXPECT_EQ(Text(u"Office-Hold"), spooler.associated[0].first);
  EXPECT_EQ((std::vector<Text>{u"\\\\srv\\hold", u"\\\\srv\\normal"}), spooler.addedPorts);
  EXPECT_EQ(1, spooler.closed);
}

TEST(AddPrinters, FailureWithoutLastErrorIsStillAFailure) {
  FakeSpooler spooler;
  spooler.failAddNumber = 1;
  spooler.failCode = 0;
  EXPECT_NE(0u, AddPrintersTo(spooler, Queues({u"Hold"}, false), {}, kNT5));
}

TEST(AddPrinters, EmptyQueueListCreatesNothing) {
  FakeSpooler spooler;
  EXPECT_EQ(0u, AddPrintersTo(spooler, Queues({}, false), {u"p.icc"}, kNT5));
  EXPECT_TRUE(spooler.added.empty());
  EXPECT_TRUE(spooler.addedPorts.empty());
}

TEST(AddPrinters, SinglePort) {
  struct Case { Text port; Text passed; } cases[] = {
      {u"LPT1:", u"lpt1:"}, {u"\\\\SRV\\Q", u"\\\\srv\\q"}, {u"http://SRV:631/printers/Hold", u"http://SRV:631/printers/Hold"},
  };
  for (const Case& c : cases) {
    FakeSpooler spooler;
    spooler.printers = {u"office"};
    PrintersRequest r = Queues({u"Hold"}, true);
    r.singlePortFlag = true;
    r.singlePort = c.port;
    ASSERT_EQ(0u, AddPrintersTo(spooler, r, {u"p.icc"}, kNT5));
    ASSERT_EQ(1u, spooler.added.size());
    EXPECT_EQ(c.passed, spooler.added[0].portName);
    EXPECT_EQ(Text(u"Office(1)"), spooler.added[0].printerName);
    EXPECT_EQ(0x240u, spooler.added[0].attributes);
    EXPECT_TRUE(spooler.addedPorts.empty());
    EXPECT_EQ(1u, spooler.associated.size());
  }
  FakeSpooler failing;
  failing.failAddNumber = 1;
  PrintersRequest r = Queues({}, false);
  r.singlePortFlag = true;
  r.singlePort = u"LPT1:";
  EXPECT_EQ(1802u, AddPrintersTo(failing, r, {u"p.icc"}, kNT5));
  EXPECT_TRUE(failing.associated.empty());
}

TEST(Enumerate, RetriesWhileTheBufferIsTooSmall) {
  // The list grows between the size query and the read, twice.
  std::vector<uint32_t> sizes{16, 32, 48};
  size_t call = 0;
  std::vector<uint32_t> seenSizes;
  EnumCall grows = [&](uint8_t* buffer, uint32_t size, uint32_t* needed, uint32_t* returned, uint32_t* error) {
    seenSizes.push_back(size);
    EXPECT_EQ(buffer == nullptr, size == 0);
    *needed = sizes[std::min(call++, sizes.size() - 1)];
    if (size < *needed) {
      *error = kErrorInsufficientBuffer;
      return false;
    }
    *returned = 3;
    return true;
  };
  std::vector<uint8_t> buffer;
  uint32_t count = 99;
  ASSERT_TRUE(EnumerateRecords(grows, buffer, count));
  EXPECT_EQ(3u, count);
  EXPECT_EQ((std::vector<uint32_t>{0, 16, 32, 48}), seenSizes);

  // An empty list answers at once; a count without a buffer holds no records.
  EnumCall none = [](uint8_t*, uint32_t, uint32_t* needed, uint32_t* returned, uint32_t*) {
    *needed = 0;
    *returned = 4;
    return true;
  };
  EXPECT_TRUE(EnumerateRecords(none, buffer, count));
  EXPECT_EQ(0u, count);

  EnumCall fails = [](uint8_t*, uint32_t, uint32_t* needed, uint32_t* returned, uint32_t* error) {
    *needed = 64;
    *returned = 5;
    *error = 1722;
    return false;
  };
  count = 7;
  EXPECT_FALSE(EnumerateRecords(fails, buffer, count));
  EXPECT_EQ(0u, count);
  EXPECT_TRUE(buffer.empty());

  int calls = 0;
  EnumCall neverEnough = [&](uint8_t*, uint32_t size, uint32_t* needed, uint32_t*, uint32_t* error) {
    ++calls;
    *needed = size + 8;
    *error = kErrorInsufficientBuffer;
    return false;
  };
  EXPECT_FALSE(EnumerateRecords(neverEnough, buffer, count));
  EXPECT_LE(calls, 8);
}

TEST(ColorDirectory, SizeQueryFalseIsAcceptedAndSizeIsInBytes) {
  const Text dir = u"C:\\windows\\system32\\spool\\drivers\\color";
  std::vector<uint32_t> sizes;
  ColorDirectoryCall platform = [&](char16_t* buffer, uint32_t* size) {
    sizes.push_back(*size);
    const uint32_t bytes = uint32_t((dir.size() + 1) * sizeof(char16_t));
    if (!buffer || *size < bytes) {
      *size = bytes;
      return false;
    }
    std::copy(dir.begin(), dir.end(), buffer);
    buffer[dir.size()] = 0;
    return true;
  };
  auto driverDir = [] { return Text(u"C:\\drivers"); };
  EXPECT_EQ(dir, ResolveColorDirectory(platform, driverDir));
  EXPECT_EQ((std::vector<uint32_t>{0, uint32_t((dir.size() + 2) * sizeof(char16_t))}), sizes);

  ColorDirectoryCall missing = [](char16_t*, uint32_t*) { return false; };
  EXPECT_EQ(Text(u"C:\\drivers"), ResolveColorDirectory(missing, driverDir));

  int calls = 0;
  ColorDirectoryCall secondFails = [&](char16_t*, uint32_t* size) {
    if (calls++ == 0) *size = 20;
    return false;
  };
  EXPECT_EQ(Text(u"C:\\drivers"), ResolveColorDirectory(secondFails, driverDir));
}
