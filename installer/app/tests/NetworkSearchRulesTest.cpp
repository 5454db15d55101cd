// The network-search page's rules: the radio shown, the take-over of the start-up
// discovery's list, the servers listed and reselected, the valid-server-choice rule,
// trimming, and the connection to the chosen or typed server over a fake query.
#include "NetworkSearchRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PageText.h"
#include "TWKResource.h"

namespace {

using ::testing::ElementsAre;

PrintServer Server(const char16_t* display, const char16_t* ip, const char16_t* host = u"") {
  PrintServer s;
  s.displayName = display;
  s.ipAddress = ip;
  s.hostName = host;
  return s;
}

TEST(NetworkSearch, RadioShownForTheStoredChoice) {
  const struct {
    int32_t stored, shown;
  } cases[] = {
      {0, IDC_NETSEARCH_FOUND},
      {IDC_NETSEARCH_FOUND, IDC_NETSEARCH_FOUND},
      {IDC_NETSEARCH_TYPED, IDC_NETSEARCH_TYPED},
      {IDC_NETSEARCH_OTHER, IDC_NETSEARCH_OTHER},
      {1041, IDC_NETSEARCH_FOUND},
  };
  for (const auto& c : cases) EXPECT_EQ(SearchRadioToCheck(c.stored), c.shown) << c.stored;
}

TEST(NetworkSearch, ThreadListIsTakenOnlyIntoAnEmptyShownList) {
  const PrintServerList thread = {Server(u"Alpha", u"10.0.0.1"), Server(u"Bravo", u"10.0.0.2")};
  PrintServerList shown;
  EXPECT_TRUE(TakeOverThreadServers(shown, thread));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].displayName, u"Bravo");

  // What a Search found meanwhile stays.
  PrintServerList searched = {Server(u"Charlie", u"10.0.0.3")};
  EXPECT_FALSE(TakeOverThreadServers(searched, thread));
  ASSERT_EQ(searched.size(), 1u);
  EXPECT_EQ(searched[0].displayName, u"Charlie");

  PrintServerList empty;
  EXPECT_FALSE(TakeOverThreadServers(empty, PrintServerList()));
  EXPECT_TRUE(empty.empty());
}

TEST(NetworkSearch, ListedServersLeaveOutRepeatsOfNameAndAddress) {
  const PrintServerList servers = {
      Server(u"Alpha", u"10.0.0.1"),
      Server(u"Alpha", u"10.0.0.2"),  // same name, other address: listed
      Server(u"Alpha", u"10.0.0.1", u"other-host"),  // same name and address: left out
      Server(u"alpha", u"10.0.0.1"),  // differs in case: listed
      Server(u"Bravo", u"10.0.0.1"),
      Server(u"Bravo", u"10.0.0.1 "),  // exact comparison: listed
  };
  EXPECT_THAT(ServersToList(servers), ElementsAre(0u, 1u, 3u, 4u, 5u));
  EXPECT_TRUE(ServersToList(PrintServerList()).empty());
}

TEST(NetworkSearch, ReselectsTheFirstItemWithTheSameAddress) {
  const std::vector<std::u16string> column = {u"10.0.0.2", u"10.0.0.1", u"10.0.0.1", u""};
  EXPECT_EQ(FindServerItem(column, u"10.0.0.1"), 1);
  EXPECT_EQ(FindServerItem(column, u"10.0.0.2"), 0);
  EXPECT_EQ(FindServerItem(column, u"10.0.0.10"), -1);
  EXPECT_EQ(FindServerItem(column, u"10.0.0"), -1);  // no prefix match
  EXPECT_EQ(FindServerItem(column, u""), -1);        // nothing chosen before
}

TEST(NetworkSearch, ValidServerChoice) {
  const PrintServer alpha = Server(u"Alpha", u"10.0.0.1");
  const PrintServer unaddressed = Server(u"Nameless", u"");
  const struct {
    ServerListSelection selection;
    bool valid;
  } cases[] = {
      {{2, 1, &alpha, u"10.0.0.1"}, true},
      {{0, -1, nullptr, u""}, false},          // empty list
      {{2, -1, nullptr, u""}, false},          // nothing selected
      {{1, 0, nullptr, u""}, false},           // "No printers found": no record
      {{2, 0, &alpha, u""}, false},            // empty address column
      {{2, 0, &alpha, u"10.0.0.2"}, false},    // column differs from the record
      {{2, 0, &unaddressed, u""}, false},      // record without an address
      {{2, 2, &alpha, u"10.0.0.1"}, false},    // selection past the end
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    EXPECT_EQ(IsValidServerChoice(cases[i].selection), cases[i].valid) << i;
  }
}

TEST(NetworkSearch, TrimsWhiteSpaceAtBothEndsOnly) {
  const struct {
    const char16_t* in;
    const char16_t* out;
  } cases[] = {
      {u"", u""},
      {u"   ", u""},
      {u" alpha.test ", u"alpha.test"},
      {u"\t\r\n\v\falpha\r\n", u"alpha"},
      {u"\u00A0alpha\u3000", u"alpha"},       // pasted no-break and ideographic spaces
      {u"\u2002al pha\u200A", u"al pha"},      // inner blanks stay
      {u"\u200Balpha", u"\u200Balpha"},        // a zero-width space is no white space
      {u"x", u"x"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimWhiteSpace(c.in), c.out);
}

// A query that records what it was asked and answers from a table.
struct FakeQuery {
  std::vector<std::u16string> asked;
  bool answers = true;
  ServerQuery Fn() {
    return [this](const std::u16string& name, PrintServer& record) {
      asked.push_back(name);
      record.hostName = u"resolved-" + name;
      record.ipAddress = u"10.0.0.7";
      record.displayName = u"RIP " + name;
      record.queueNames = {u"Hold", u"Normal", u"Colour"};
      return answers;
    };
  }
};

TEST(NetworkSearch, FoundServerIsAskedByItsAddress) {
  FakeQuery query;
  const PrintServer alpha = Server(u"Alpha", u"10.0.0.1", u"alpha.test");
  ConnectResult r = ConnectChosenServer(IDC_NETSEARCH_FOUND, &alpha, u"ignored", query.Fn());
  EXPECT_EQ(r.refusal, ConnectRefusal::None);
  EXPECT_THAT(query.asked, ElementsAre(u"10.0.0.1"));
  EXPECT_TRUE(r.asked);
  EXPECT_TRUE(r.answered);
  EXPECT_TRUE(r.choseFoundServer);
  EXPECT_EQ(r.chosenAddress, u"10.0.0.1");
  // The answer, not the listed copy, gives the names and queues.
  EXPECT_EQ(r.server.hostName, u"resolved-10.0.0.1");
  EXPECT_EQ(r.server.displayName, u"RIP 10.0.0.1");
  EXPECT_THAT(r.server.queueNames, ElementsAre(u"Hold", u"Normal", u"Colour"));
}

TEST(NetworkSearch, TypedNameIsTrimmedAndKeptAsTypedAsHostName) {
  FakeQuery query;
  ConnectResult r = ConnectChosenServer(IDC_NETSEARCH_TYPED, nullptr, u"  Alpha.Test \t", query.Fn());
  EXPECT_EQ(r.refusal, ConnectRefusal::None);
  EXPECT_THAT(query.asked, ElementsAre(u"Alpha.Test"));
  EXPECT_EQ(r.server.hostName, u"Alpha.Test");
  EXPECT_EQ(r.server.ipAddress, u"10.0.0.7");
  EXPECT_FALSE(r.choseFoundServer);
}

TEST(NetworkSearch, RefusalsAndWhoIsAsked) {
  const PrintServer alpha = Server(u"Alpha", u"10.0.0.1");
  const struct {
    int32_t radio;
    const PrintServer* selection;
    const char16_t* typed;
    bool answers;
    ConnectRefusal refusal;
    bool asked;
  } cases[] = {
      {IDC_NETSEARCH_FOUND, nullptr, u"alpha", true, ConnectRefusal::NoServerChosen, false},
      {IDC_NETSEARCH_FOUND, &alpha, u"", false, ConnectRefusal::NoAnswer, true},
      {IDC_NETSEARCH_TYPED, &alpha, u"", true, ConnectRefusal::EmptyName, false},
      {IDC_NETSEARCH_TYPED, &alpha, u" \t ", true, ConnectRefusal::EmptyName, false},
      {IDC_NETSEARCH_TYPED, nullptr, u"10.0.0.9", false, ConnectRefusal::NoAnswer, true},
      // No radio checked counts as the found-server choice.
      {0, nullptr, u"alpha", true, ConnectRefusal::NoServerChosen, false},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    FakeQuery query;
    query.answers = cases[i].answers;
    ConnectResult r = ConnectChosenServer(cases[i].radio, cases[i].selection, cases[i].typed, query.Fn());
    EXPECT_EQ(r.refusal, cases[i].refusal) << i;
    EXPECT_EQ(r.asked, cases[i].asked) << i;
    EXPECT_EQ(query.asked.size(), cases[i].asked ? 1u : 0u) << i;
    EXPECT_FALSE(r.answered) << i;
  }
}

TEST(NetworkSearch, NextPageByRadio) {
  EXPECT_EQ(SearchNextPage(IDC_NETSEARCH_OTHER), IDD_OTHERPORT);
  EXPECT_EQ(SearchNextPage(IDC_NETSEARCH_FOUND), IDD_LISTQUEUES);
  EXPECT_EQ(SearchNextPage(IDC_NETSEARCH_TYPED), IDD_LISTQUEUES);
}

}  // namespace
