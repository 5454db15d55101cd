// Which print-server host an installed printer's port names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListPrinterRules.h"

namespace {

struct HostCase {
  const char16_t* port;
  const char16_t* host;  // nullptr: no host
  bool echoed;           // the host had to answer an echo
};

class PortHostTable : public ::testing::TestWithParam<HostCase> {};

TEST_P(PortHostTable, CutsTheHostAsTheRulesSay) {
  const HostCase& c = GetParam();
  std::vector<std::u16string> echoes;
  auto echo = [&echoes](const std::u16string& host) {
    echoes.push_back(host);
    return true;
  };
  std::u16string host = u"left over";
  const bool found = ParsePortHost(c.port, host, echo);
  if (c.host) {
    EXPECT_TRUE(found);
    EXPECT_EQ(host, c.host);
  } else {
    EXPECT_FALSE(found);
    EXPECT_EQ(host, u"");
  }
  if (c.echoed)
    EXPECT_EQ(echoes, std::vector<std::u16string>{c.host});
  else
    EXPECT_TRUE(echoes.empty()) << "only the UNC form is echoed, and never an empty host";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PortHostTable,
    ::testing::Values(
        // Rule 1: exactly three backslashes.
        HostCase{u"\\\\srv\\queue", u"srv", true},
        HostCase{u"\\\\SRV\\Queue", u"srv", true},          // lower-cased
        HostCase{u"\\\\srv\\", nullptr, false},              // the third backslash is the last character
        HostCase{u"\\\\\\queue", nullptr, false},            // empty server part: no echo
        HostCase{u"x\\\\srv\\queue", nullptr, false},        // must begin with a backslash
        HostCase{u"\\xsrv\\a\\q", u"srv", true},             // the second character is not checked
        HostCase{u"\\\\a\\b\\c", nullptr, false},            // four backslashes: no rule applies
        HostCase{u"\\\\srv:1\\q", u"srv:1", true},           // rule 1 wins over rule 5
        // Rule 2: http:// up to the first ":631/printers".
        HostCase{u"http://srv:631/printers/queue", u"srv", false},
        HostCase{u"HTTP://Srv:631/printers/Q", u"srv", false},
        HostCase{u"http://srv/printers/queue", nullptr, false},
        HostCase{u"http://srv:80/printers/queue", nullptr, false},
        HostCase{u"http://:631/printers/queue", nullptr, false},
        // Rule 3: ipp:// up to the first "/printers".
        HostCase{u"ipp://srv/printers/queue", u"srv", false},
        HostCase{u"ipp://srv:631/printers/queue", u"srv:631", false},
        HostCase{u"ipp://srv/queue", nullptr, false},
        HostCase{u"ipp:///printers/queue", nullptr, false},
        // Rule 4: "http://" elsewhere.
        HostCase{u"x http://srv:631/printers/q", nullptr, false},
        // Rule 5: a ":" after the first character that is not the last character.
        HostCase{u"lpr:srv:queue", u"srv", false},
        HostCase{u"LPR:Srv:queue", u"srv", false},
        HostCase{u"lpr:srv", nullptr, false},
        HostCase{u"lpr:s:q", u"s", false},
        HostCase{u"xlpr:srv:queue", nullptr, false},
        HostCase{u"srv:queue", u"srv", false},
        HostCase{u"srv:9100", u"srv", false},
        HostCase{u"LPT1:", nullptr, false},
        HostCase{u"FILE:", nullptr, false},
        HostCase{u":queue:x", nullptr, false},               // empty text before the first ":"
        HostCase{u":", nullptr, false},
        // Rule 6.
        HostCase{u"queue", nullptr, false},
        HostCase{u"", nullptr, false},
        HostCase{u"\\\\srv", nullptr, false}));

TEST(ParsePortHost, AServerThatDoesNotAnswerTheEchoIsNoHost) {
  std::u16string host = u"old";
  EXPECT_FALSE(ParsePortHost(u"\\\\srv\\queue", host, [](const std::u16string&) { return false; }));
  EXPECT_EQ(host, u"");
}

TEST(ParsePortHost, OnlyTheUncFormNeedsAnEcho) {
  PortHostCandidate candidate;
  ASSERT_TRUE(PortHostCandidateOf(u"\\\\Srv\\q", candidate));
  EXPECT_TRUE(candidate.needsEcho);
  EXPECT_EQ(candidate.host, u"srv");
  ASSERT_TRUE(PortHostCandidateOf(u"srv:q", candidate));
  EXPECT_FALSE(candidate.needsEcho);
  EXPECT_FALSE(PortHostCandidateOf(u"\\\\\\q", candidate));
  EXPECT_EQ(candidate.host, u"");
}

}  // namespace
