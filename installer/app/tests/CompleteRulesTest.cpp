// The Complete page: the summary's port label and port text, whether Finish installs
// the driver, and what Finish does and shows on each failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CompleteRules.h"

namespace {

SummaryPorts Server(std::vector<std::u16string> queues) {
  SummaryPorts ports;
  ports.queues = std::move(queues);
  ports.printServerName = u"Rip One";
  ports.serverHostName = u"SRV";
  ports.serverAddress = u"10.0.0.7";
  ports.serverAnswered = true;
  return ports;
}

TEST(Summary, PortLabel) {
  EXPECT_FALSE(PortLabelIsPlural(Server({})));
  EXPECT_FALSE(PortLabelIsPlural(Server({u"Hold"})));
  EXPECT_TRUE(PortLabelIsPlural(Server({u"Hold", u"Normal"})));
  SummaryPorts single = Server({u"Hold", u"Normal", u"Fast"});
  single.singlePortMode = true;
  EXPECT_FALSE(PortLabelIsPlural(single));
}

TEST(Summary, OnePortPerQueueEachOnItsOwnLine) {
  SummaryPorts ports = Server({u"Hold", u"Normal", u"Fast"});
  EXPECT_EQ(SummaryPortText(ports), u"\\\\SRV\\Hold\n\\\\SRV\\Normal\n\\\\SRV\\Fast\n");  // case kept
  ports.internetPrinters = true;
  EXPECT_EQ(SummaryPortText(ports),
            u"http://SRV:631/printers/Hold\nhttp://SRV:631/printers/Normal\nhttp://SRV:631/printers/Fast\n");
  EXPECT_EQ(SummaryPortText(Server({})), u"");
}

TEST(Summary, TheHostOfTheQueuesPorts) {
  SummaryPorts ports = Server({u"Hold"});
  ports.serverAnswered = false;
  EXPECT_EQ(SummaryPortText(ports), u"\\\\10.0.0.7\\Hold\n");
  ports.basedMode = true;  // the print server's name, whether or not it answered
  EXPECT_EQ(SummaryPortText(ports), u"\\\\Rip One\\Hold\n");
  ports.serverAnswered = true;
  EXPECT_EQ(SummaryPortText(ports), u"\\\\Rip One\\Hold\n");
}

TEST(Summary, TheSinglePortAsTyped) {
  SummaryPorts ports = Server({u"Hold", u"Normal"});
  ports.singlePortMode = true;
  ports.singlePort = u"\\\\Srv\\Queue";
  EXPECT_EQ(SummaryPortText(ports), u"\\\\Srv\\Queue");
}

TEST(Finish, InstallsTheDriverUnlessBasedOrKeptForTheChosenModel) {
  struct Case {
    bool based, keep, installed, installs;
  };
  const Case cases[] = {
      {false, false, false, true},  {false, false, true, true},   // replace chosen
      {false, true, true, false},                                  // keep the installed driver
      {false, true, false, true},                                  // keep made for another model
      {true, false, false, false},  {true, true, true, false},   {true, true, false, false},
      {true, false, true, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FinishInstallsDriver(c.based, c.keep, c.installed), c.installs)
        << c.based << c.keep << c.installed;
}

// Records what Finish did and showed.
class FakeSteps : public FinishSteps {
public:
  uint32_t installCode = 0;
  bool installRegistration = false;
  uint32_t printersCode = 0;
  bool systemHasText = true;

  std::vector<std::string> log;

  uint32_t InstallDriver(bool& registrationFailed) override {
    log.push_back("install");
    registrationFailed = installRegistration;
    return installCode;
  }
  uint32_t AddPrinters() override {
    log.push_back("printers");
    return printersCode;
  }
  bool ShowSystemError(uint32_t code) override {
    log.push_back("system " + std::to_string(code));
    return systemHasText;
  }
  void ShowMessage(FinishMessage message) override {
    log.push_back(message == FinishMessage::DriverNotInstalled ? "driver message" : "printers message");
  }
};

using Log = std::vector<std::string>;

TEST(Finish, Success) {
  FakeSteps steps;
  EXPECT_TRUE(RunFinish(steps, true));
  EXPECT_EQ(steps.log, (Log{"install", "printers"}));
  FakeSteps kept;
  EXPECT_TRUE(RunFinish(kept, false));
  EXPECT_EQ(kept.log, (Log{"printers"}));
}

TEST(Finish, WhatEachFailureShows) {
  struct Case {
    uint32_t installCode;
    bool registration;
    uint32_t printersCode;
    bool systemHasText;
    Log log;
  };
  const Case cases[] = {
      // The spooler refused the driver: its own text, or the driver message.
      {5, true, 0, true, {"install", "system 5"}},
      {1797, true, 0, false, {"install", "system 1797", "driver message"}},
      // The package could not be read or copied: the driver message, no printer.
      {2, false, 0, true, {"install", "driver message"}},
      {13, false, 0, true, {"install", "driver message"}},
      // A printer could not be made.
      {0, false, 5, true, {"install", "printers", "system 5"}},
      {0, false, 1801, false, {"install", "printers", "system 1801", "printers message"}},
  };
  for (const Case& c : cases) {
    FakeSteps steps;
    steps.installCode = c.installCode;
    steps.installRegistration = c.registration;
    steps.printersCode = c.printersCode;
    steps.systemHasText = c.systemHasText;
    EXPECT_FALSE(RunFinish(steps, true));
    EXPECT_EQ(steps.log, c.log);
  }
}

}  // namespace
