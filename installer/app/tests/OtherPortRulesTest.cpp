// The other-connection page's checks: the UNC form, the URL split and probe, the four
// connection kinds with their refusals, and finding the port a monitor has made.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "OtherPortRules.h"
#include "PageText.h"

namespace {

// A network where only the named hosts answer.
class FakeProbe : public ConnectionProbe {
public:
  std::vector<std::u16string> answeringEcho;
  std::vector<std::pair<std::string, int>> listening;
  std::vector<std::u16string> echoes;
  std::vector<std::pair<std::string, int>> connects;

  bool Echo(const std::u16string& host) override {
    echoes.push_back(host);
    for (const auto& h : answeringEcho)
      if (h == host) return true;
    return false;
  }
  bool Connect(const std::string& host, int port) override {
    connects.emplace_back(host, port);
    for (const auto& l : listening)
      if (l.first == host && l.second == port) return true;
    return false;
  }
  std::string ToAnsi(const std::u16string& text) override {
    std::string out;
    for (char16_t c : text) out += c < 0x100 ? char(c) : '?';
    return out;
  }
};

struct UncCase {
  const char16_t* text;
  bool form;
  const char16_t* server;
};

TEST(UncServerPart, AcceptsOnlyTheFormOfTheExample) {
  const UncCase cases[] = {
      {u"\\\\printername\\queue", true, u"printername"},
      {u"\\\\srv\\q", true, u"srv"},
      {u"\\\\\\queue", true, u""},             // form right, server part empty
      {u"\\xsrv\\a\\q", true, u"srv"},          // the second character is not checked
      {u"\\\\srv\\queue\\more", false, u""},   // four backslashes
      {u"\\\\srv\\", false, u""},              // ends with its third backslash
      {u"\\\\srv", false, u""},                // two backslashes
      {u"srv\\\\a\\", false, u""},             // the first backslash is not the first character
      {u"", false, u""},
      {u"\\\\\\", false, u""},
  };
  for (const UncCase& c : cases) {
    std::u16string server = u"old";
    EXPECT_EQ(UncServerPart(c.text, server), c.form) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    EXPECT_EQ(server, c.server);
  }
}

TEST(ParseUncServer, EchoesOnlyANonEmptyServer) {
  FakeProbe probe;
  probe.answeringEcho = {u"srv"};
  std::u16string server;
  EXPECT_TRUE(ParseUncServer(u"\\\\srv\\queue", server, probe));
  EXPECT_FALSE(ParseUncServer(u"\\\\other\\queue", server, probe));
  EXPECT_EQ(server, u"other");
  EXPECT_FALSE(ParseUncServer(u"\\\\\\queue", server, probe));
  EXPECT_EQ(probe.echoes, (std::vector<std::u16string>{u"srv", u"other"}));
}

struct UrlCase {
  const char* url;
  const char* scheme;
  const char* host;
  int probePort;  // 0: refused without probing
};

TEST(SplitUrl, SchemeHostAndPortWithTheSchemesDefaults) {
  const UrlCase cases[] = {
      {"http://printername:631/printers/queue", "http", "printername", 631},
      {"http://printername/printers/queue", "http", "printername", 80},
      {"IPP://printername/printers/queue", "IPP", "printername", 631},
      {"Http://printername", "Http", "printername", 80},
      {"printername:9100", "", "printername", 9100},
      {"printername:9100/x", "", "printername", 9100},
      {"http://printername:/printers/q", "http", "printername", 80},  // no digit: the default
      {"ipp://printername:x1/q", "ipp", "printername", 631},
      {"http://printername:65535/q", "http", "printername", 65535},
      {"http://printername:0/q", "http", "printername", 0},           // port 0: refused
      {"http://printername:65536/q", "http", "printername", 0},       // above 65535: refused
      {"http://printername:99999999999999999999999/q", "http", "printername", 0},
      {"ftp://printername/q", "ftp", "printername", 0},               // no port, unknown scheme
      {"printername/printers/q", "", "printername", 0},               // no port, no scheme
      {"printername", "", "printername", 0},
      {"https://printername/q", "https", "printername", 0},
      {"ftp://printername:21/q", "ftp", "printername", 21},
      {"://printername/q", "", ":", 0},                               // "://" at position 0: no scheme
      {"http://host/path:8080", "http", "host/path", 8080},           // the first ":" of the rest decides
      {"http:///q", "http", "/q", 80},                                // "/" at position 0: the whole rest
  };
  for (const UrlCase& c : cases) {
    const UrlParts parts = SplitUrl(c.url);
    EXPECT_EQ(parts.scheme, c.scheme) << c.url;
    EXPECT_EQ(parts.host, c.host) << c.url;
    EXPECT_EQ(ProbePortOf(parts), c.probePort) << c.url;
  }
}

// A choice for the checks, with what the page's fields hold.
PortChoice Choice(ConnectionKind kind) {
  PortChoice choice;
  choice.kind = kind;
  return choice;
}

TEST(CheckPortChoice, UncNameTrimmedAndEchoed) {
  FakeProbe probe;
  probe.answeringEcho = {u"srv"};
  PortChoice choice = Choice(ConnectionKind::UncName);
  choice.uncText = u"  \\\\srv\\Queue \t";
  const PortVerdict ok = CheckPortChoice(choice, probe);
  EXPECT_TRUE(ok.accepted);
  EXPECT_TRUE(ok.singlePortSet);
  EXPECT_EQ(ok.singlePort, u"\\\\srv\\Queue");
  EXPECT_EQ(probe.echoes, std::vector<std::u16string>{u"srv"});
}

struct Refusal {
  ConnectionKind kind;
  const char16_t* text;
  PortRefusal refusal;
  PortField focus;
  const char16_t* server;
  bool probed;  // a network probe was made
};

TEST(CheckPortChoice, RefusalsAndTheirMessages) {
  const Refusal cases[] = {
      {ConnectionKind::UncName, u"\\\\srv\\queue\\x", PortRefusal::NotAPort, PortField::UncName, u"", false},
      {ConnectionKind::UncName, u"\\\\srv\\", PortRefusal::NotAPort, PortField::UncName, u"", false},
      {ConnectionKind::UncName, u"\\\\srv", PortRefusal::NotAPort, PortField::UncName, u"", false},
      {ConnectionKind::UncName, u"\\\\\\queue", PortRefusal::NotAPort, PortField::UncName, u"", false},
      {ConnectionKind::UncName, u"", PortRefusal::NotAPort, PortField::UncName, u"", false},
      {ConnectionKind::UncName, u" \\\\down\\queue", PortRefusal::ServerUnreachable, PortField::UncName, u"down", true},
      // A pasted no-break space before and an ideographic space after are trimmed too.
      {ConnectionKind::UncName, u"\u00A0\\\\down\\queue\u3000", PortRefusal::ServerUnreachable, PortField::UncName, u"down", true},
      {ConnectionKind::Url, u"", PortRefusal::NotAPort, PortField::Url, u"", false},
      {ConnectionKind::Url, u"  \t ", PortRefusal::NotAPort, PortField::Url, u"", false},
      {ConnectionKind::Url, u"http://refusing/printers/q", PortRefusal::CannotConnect, PortField::Url, u"", true},
      {ConnectionKind::Url, u"ftp://srv/q", PortRefusal::CannotConnect, PortField::Url, u"", false},
      {ConnectionKind::Url, u"srv", PortRefusal::CannotConnect, PortField::Url, u"", false},
      {ConnectionKind::Url, u"http://srv:0/q", PortRefusal::CannotConnect, PortField::Url, u"", false},
      {ConnectionKind::Url, u"http://srv:70000/q", PortRefusal::CannotConnect, PortField::Url, u"", false},
      {ConnectionKind::Url, u"http://", PortRefusal::CannotConnect, PortField::Url, u"", false},  // no host
  };
  for (const Refusal& c : cases) {
    FakeProbe probe;
    probe.answeringEcho = {u"srv"};
    probe.listening = {{"srv", 80}, {"srv", 631}};
    PortChoice choice = Choice(c.kind);
    (c.kind == ConnectionKind::UncName ? choice.uncText : choice.urlText) = c.text;
    const PortVerdict verdict = CheckPortChoice(choice, probe);
    const std::string label(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    EXPECT_FALSE(verdict.accepted) << label;
    EXPECT_EQ(verdict.refusal, c.refusal) << label;
    EXPECT_EQ(verdict.focus, c.focus) << label;
    EXPECT_EQ(verdict.server, c.server) << label;
    EXPECT_EQ(!probe.echoes.empty() || !probe.connects.empty(), c.probed) << label;
    // The stored single port is the trimmed text also when the check fails.
    EXPECT_TRUE(verdict.singlePortSet) << label;
  }
}

TEST(CheckPortChoice, UrlProbesTheHostAndPortItNames) {
  const std::pair<const char16_t*, std::pair<std::string, int>> cases[] = {
      {u"http://printername:631/printers/queue", {"printername", 631}},
      {u"http://printername/printers/queue", {"printername", 80}},
      {u"IPP://printername/printers/queue", {"printername", 631}},
      {u"printername:9100", {"printername", 9100}},
  };
  for (const auto& c : cases) {
    FakeProbe probe;
    probe.listening = {c.second};
    PortChoice choice = Choice(ConnectionKind::Url);
    choice.urlText = std::u16string(u" ") + c.first + u" ";
    const PortVerdict verdict = CheckPortChoice(choice, probe);
    EXPECT_TRUE(verdict.accepted);
    EXPECT_EQ(verdict.singlePort, c.first);  // trimmed, case kept
    EXPECT_EQ(probe.connects, (std::vector<std::pair<std::string, int>>{c.second}));
  }
}

TEST(CheckPortChoice, ExistingPortNeedsASelection) {
  FakeProbe probe;
  PortChoice choice = Choice(ConnectionKind::ExistingPort);
  PortVerdict verdict = CheckPortChoice(choice, probe);
  EXPECT_FALSE(verdict.accepted);
  EXPECT_EQ(verdict.refusal, PortRefusal::NotAPort);
  EXPECT_EQ(verdict.focus, PortField::PortList);
  EXPECT_FALSE(verdict.singlePortSet);

  choice.portSelected = true;
  choice.selectedPort = u"LPT1:";
  verdict = CheckPortChoice(choice, probe);
  EXPECT_TRUE(verdict.accepted);
  EXPECT_EQ(verdict.singlePort, u"LPT1:");
}

TEST(CheckPortChoice, NewPortIsCheckedOnlyForTheName) {
  FakeProbe probe;
  const PortVerdict verdict = CheckPortChoice(Choice(ConnectionKind::NewPort), probe);
  EXPECT_TRUE(verdict.accepted);
  EXPECT_FALSE(verdict.singlePortSet);
}

TEST(CheckPortChoice, PrinterNameInBasedModeOnly) {
  twk::setup::WindowsKind nt5, nt4;
  nt4.nt4 = true;
  struct NameCase {
    bool based;
    size_t length;
    const twk::setup::WindowsKind& kind;
    PortRefusal refusal;
  };
  const NameCase cases[] = {
      {true, 0, nt5, PortRefusal::NameEmpty},     {true, 1, nt5, PortRefusal::None},
      {true, 220, nt5, PortRefusal::None},        {true, 221, nt5, PortRefusal::NameTooLong},
      {true, 31, nt4, PortRefusal::None},         {true, 32, nt4, PortRefusal::NameTooLong},
      {false, 0, nt5, PortRefusal::None},         {false, 500, nt4, PortRefusal::None},
  };
  for (const NameCase& c : cases) {
    FakeProbe probe;
    PortChoice choice = Choice(ConnectionKind::ExistingPort);
    choice.portSelected = true;
    choice.selectedPort = u"FILE:";
    choice.basedMode = c.based;
    choice.printerName = std::u16string(c.length, u'n');
    choice.windows = c.kind;
    const PortVerdict verdict = CheckPortChoice(choice, probe);
    EXPECT_EQ(verdict.accepted, c.refusal == PortRefusal::None) << c.length;
    EXPECT_EQ(verdict.refusal, c.refusal) << c.length;
    if (c.refusal != PortRefusal::None) {
      EXPECT_EQ(verdict.focus, PortField::PrinterName);
    }
  }
}

TEST(CheckPortChoice, ThePortIsCheckedBeforeTheName) {
  FakeProbe probe;
  PortChoice choice = Choice(ConnectionKind::UncName);
  choice.uncText = u"\\\\srv\\";
  choice.basedMode = true;
  EXPECT_EQ(CheckPortChoice(choice, probe).refusal, PortRefusal::NotAPort);
}

TEST(ServerUnreachableMessage, QuotesTheServerNameAfterABlank) {
  EXPECT_EQ(ServerUnreachableMessage(u"Could not connect to:", u"down"), u"Could not connect to: \"down\"");
}

TEST(TrimWhiteSpace, CBlanksAtBothEnds) {
  EXPECT_EQ(TrimWhiteSpace(u" \t\r\n a b \v\f"), u"a b");
  EXPECT_EQ(TrimWhiteSpace(u"   "), u"");
  EXPECT_EQ(TrimWhiteSpace(u""), u"");
}

// A spooler whose monitor dialog adds the given ports (or is cancelled).
class FakeMaker : public PortMaker {
public:
  std::vector<std::u16string> ports;
  std::vector<std::u16string> added;  // what the dialog adds
  bool cancel = false;
  std::vector<std::u16string> monitors;

  bool AddPortWithMonitor(const std::u16string& monitor) override {
    monitors.push_back(monitor);
    if (cancel) return false;
    ports.insert(ports.end(), added.begin(), added.end());
    return true;
  }
  std::vector<std::u16string> PortNames() override { return ports; }
};

TEST(MakeNewPort, FindsTheNewNameByComparingThePortLists) {
  FakeMaker maker;
  maker.ports = {u"COM1:", u"LPT1:"};
  maker.added = {u"lpt1:"};  // differs only in case: new
  const std::vector<std::u16string> before = maker.ports;
  std::u16string single = u"before";
  EXPECT_TRUE(MakeNewPort(maker, u"Local Port", before, single));
  EXPECT_EQ(single, u"lpt1:");
  EXPECT_EQ(maker.monitors, std::vector<std::u16string>{u"Local Port"});
}

TEST(MakeNewPort, TheLastNewNameWins) {
  FakeMaker maker;
  maker.ports = {u"COM1:"};
  maker.added = {u"NEW1:", u"NEW2:"};
  const std::vector<std::u16string> before = maker.ports;
  std::u16string single;
  EXPECT_TRUE(MakeNewPort(maker, u"Local Port", before, single));
  EXPECT_EQ(single, u"NEW2:");
}

TEST(MakeNewPort, CancelOrNothingNewLeavesTheSinglePort) {
  FakeMaker maker;
  maker.ports = {u"COM1:"};
  maker.cancel = true;
  const std::vector<std::u16string> before = maker.ports;
  std::u16string single = u"kept";
  EXPECT_FALSE(MakeNewPort(maker, u"Local Port", before, single));
  EXPECT_EQ(single, u"kept");

  maker.cancel = false;  // the dialog succeeds but adds nothing
  EXPECT_FALSE(MakeNewPort(maker, u"Local Port", before, single));
  EXPECT_EQ(single, u"kept");

  // No monitor listed: the dialog is not even asked for.
  maker.monitors.clear();
  EXPECT_FALSE(MakeNewPort(maker, u"", before, single));
  EXPECT_TRUE(maker.monitors.empty());
}

}  // namespace
