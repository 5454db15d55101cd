// QueryPrintServer, DiscoverPrintServers and ResolveHost against the test print server
// (printserver.py). The wrapper netns-run.sh runs this program, its wineserver and the
// print server inside a network namespace of their own, with its own hosts file:
//   127.0.0.2 alpha.test   127.0.0.3 bravo.test (alias bravo)
// and a resolver that knows nothing else.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NetText.h"
#include "PrintServerControl.h"
#include "PrintServerNet.h"
#include "TimeoutableSocket.h"

namespace {

using ::testing::ElementsAre;

double Seconds() {
  LARGE_INTEGER f, now;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(f.QuadPart);
}

class ServerTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(AfxSocketInit()); }
  void Configure(const std::string& json) {
    ASSERT_TRUE(control_.connected());
    ASSERT_EQ(control_.Command("{\"cmd\":\"config\"," + json + "}"), "ok");
  }
  PrintServerControl control_;
};

const char kAlpha[] = R"("127.0.0.2": {
    "queues": {"body": "<queues><queue><name>A</name><name>Hold</name></queue><queue><name>A</name></queue></queues>"},
    "details": {"body": "<rip><communication><ripname>Alpha RIP</ripname></communication></rip>"}})";

TEST_F(ServerTest, QuerySendsExactlyTheTwoRequestsAndReadsBothAnswers) {
  Configure(std::string("\"hosts\": {") + kAlpha + "}");
  PrintServer record;
  EXPECT_TRUE(QueryPrintServer(u"127.0.0.2", record));
  EXPECT_EQ(record.hostName, u"alpha.test");
  EXPECT_EQ(record.ipAddress, u"127.0.0.2");
  EXPECT_EQ(record.displayName, u"Alpha RIP");
  EXPECT_THAT(record.queueNames, ElementsAre(u"Hold", u"Normal", u"A"));
  EXPECT_THAT(control_.Requests("127.0.0.2"),
              ElementsAre(std::string("GET /getqueuelist.php HTTP/1.0\r\n\r\n", 34),
                          std::string("GET /getripdetails.php HTTP/1.0\r\n\r\n", 35)));
}

TEST_F(ServerTest, QueryUsesA404WithAGoodBodyAndKeepsTheHostNameWhenRefusedSecond) {
  Configure(R"("hosts": {"127.0.0.3": {"refuse_after": 1,
      "queues": {"status": "404 Not Found", "body": "<queues><queue><name>Colour</name></queue></queues>"}}})");
  PrintServer record;
  EXPECT_TRUE(QueryPrintServer(u"127.0.0.3", record));
  EXPECT_EQ(record.displayName, u"bravo.test");
  EXPECT_THAT(record.queueNames, ElementsAre(u"Hold", u"Normal", u"Colour"));
  EXPECT_EQ(control_.Requests("127.0.0.3").size(), 1u);
}

TEST_F(ServerTest, QueryWithNothingOnPort80IsFalseWithTheFixedQueues) {
  Configure("\"hosts\": {}");
  PrintServer record;
  double start = Seconds();
  EXPECT_FALSE(QueryPrintServer(u"127.0.0.9", record));
  EXPECT_LT(Seconds() - start, 3.0);
  EXPECT_EQ(record.ipAddress, u"127.0.0.9");
  EXPECT_EQ(record.hostName, u"127.0.0.9");  // no reverse name for it
  EXPECT_EQ(record.displayName, u"127.0.0.9");
  EXPECT_THAT(record.queueNames, ElementsAre(u"Hold", u"Normal"));
}

TEST_F(ServerTest, QueryOfASilentServerEndsWithinTheReceiveTimeOut) {
  Configure(R"("hosts": {"127.0.0.4": {"refuse_after": 1, "queues": {"mode": "silent"}}})");
  PrintServer record;
  double start = Seconds();
  EXPECT_TRUE(QueryPrintServer(u"127.0.0.4", record));
  double took = Seconds() - start;
  EXPECT_GE(took, 2.5);
  EXPECT_LE(took, 8.5);  // two wake-ups at most, with room for a loaded machine
  EXPECT_THAT(record.queueNames, ElementsAre(u"Hold", u"Normal"));
}

TEST_F(ServerTest, MisbehavingAnswers) {
  struct Case {
    const char* what;
    const char* answer;  // the "queues" answer of host 127.0.0.5
    std::vector<std::u16string> queues;
  };
  const Case cases[] = {
      {"trickling bytes", R"({"mode": "trickle", "trickle_ms": 4,
          "body": "<queues><queue><name>Slow</name></queue></queues>"})",
       {u"Hold", u"Normal", u"Slow"}},
      // 62 bytes of status line and headers, then the body up to the end of the first queue.
      {"closing early", R"({"mode": "close_early", "close_after": 101,
          "body": "<queues><queue><name>Cut</name></queue><queue><name>Never</name></queue></queues>"})",
       {u"Hold", u"Normal", u"Cut"}},
      {"huge body", R"({"body": "<queues>", "item": "<queue><name>Q</name></queue>", "repeat": 80000,
          "tail": "</queues>"})",
       {u"Hold", u"Normal"}},
      {"nested too deep", R"({"body": "<queues><queue><name>Deep</name>", "item": "<queue>", "repeat": 300,
          "tail": "</queues>"})",
       {u"Hold", u"Normal"}},
      {"nested but shallow", R"({"body": "<queues><queue><name>Top</name><queue><name>Inner</name></queue></queue></queues>"})",
       {u"Hold", u"Normal", u"Top"}},
      {"zero byte ends the answer", R"({"body": "<queues><queue><name>A</name></queue>\u0000<queue><name>B</name></queue></queues>"})",
       {u"Hold", u"Normal", u"A"}},
  };
  for (const Case& c : cases) {
    Configure(std::string(R"("hosts": {"127.0.0.5": {"refuse_after": 1, "queues": )") + c.answer + "}}");
    PrintServer record;
    double start = Seconds();
    EXPECT_TRUE(QueryPrintServer(u"127.0.0.5", record)) << c.what;
    EXPECT_LT(Seconds() - start, 5.0) << c.what;
    EXPECT_EQ(record.queueNames, c.queues) << c.what;
  }
}

TEST_F(ServerTest, QueryDecodesEightBitTextFromTheAnsiCodePage) {
  Configure(R"("hosts": {"127.0.0.5": {"refuse_after": 1, "queues":
      {"body": "<queues><queue><name>Caf\u00e9</name></queue></queues>"}}})");
  PrintServer record;
  EXPECT_TRUE(QueryPrintServer(u"127.0.0.5", record));
  EXPECT_THAT(record.queueNames, ElementsAre(u"Hold", u"Normal", u"Caf" + FromAnsi("\xE9")));
}

TEST_F(ServerTest, ResolveHost) {
  struct Case {
    const char16_t* name;
    bool resolved;
    const char16_t* hostName;
    const char16_t* ipAddress;
  };
  const Case cases[] = {
      {u"bravo.test", true, u"bravo.test", u"127.0.0.3"},
      {u"bravo", true, u"bravo.test", u"127.0.0.3"},  // the official name, not the alias
      {u"127.0.0.2", true, u"alpha.test", u"127.0.0.2"},
      {u"127.0.0.77", false, u"127.0.0.77", u"127.0.0.77"},  // no reverse name
      {u"unknown.test", false, u"unknown.test", u"unknown.test"},
  };
  for (const Case& c : cases) {
    PrintServer record;
    EXPECT_EQ(ResolveHost(c.name, record), c.resolved) << ToAnsi(c.name);
    EXPECT_EQ(record.hostName, c.hostName);
    EXPECT_EQ(record.ipAddress, c.ipAddress);
  }
}

std::vector<std::u16string> DisplayNames(const PrintServerList& servers) {
  std::vector<std::u16string> names;
  for (const PrintServer& s : servers) names.push_back(s.displayName);
  return names;
}

TEST_F(ServerTest, DiscoveryListsEachAnsweringServerOnceSortedWithItsQueues) {
  Configure(std::string(R"("udp": [
      {"addr": "127.0.0.3"},
      {"addr": "127.0.0.2", "count": 2},
      {"addr": "127.0.0.7", "length": 37}, {"addr": "127.0.0.7", "length": 39},
      {"addr": "127.0.0.7", "byte14": 32},
      {"addr": "127.0.0.6", "probes": [2]}, {"addr": "127.0.0.8"}],
    "hosts": {)") + kAlpha + R"(,
      "127.0.0.3": {"queues": {"body": "<queues><queue><name>Zq</name></queue></queues>"},
                    "details": {"body": "<rip><communication><ripname>Same</ripname></communication></rip>"}},
      "127.0.0.6": {"details": {"body": "<rip><communication><ripname>Beta</ripname></communication></rip>"}},
      "127.0.0.7": {},
      "127.0.0.8": {"details": {"body": "<rip><communication><ripname>Same</ripname></communication></rip>"}}})");
  PrintServerList servers(2);
  double start = Seconds();
  EXPECT_TRUE(DiscoverPrintServers(servers));
  EXPECT_LT(Seconds() - start, 6.0);
  EXPECT_THAT(DisplayNames(servers), ElementsAre(u"Alpha RIP", u"Beta", u"Same", u"Same"));
  ASSERT_EQ(servers.size(), 4u);
  EXPECT_THAT(servers[0].queueNames, ElementsAre(u"Hold", u"Normal", u"A"));
  EXPECT_EQ(servers[0].ipAddress, u"127.0.0.2");
  EXPECT_EQ(servers[0].hostName, u"alpha.test");
  // Equal display names keep the order in which the replies came.
  EXPECT_EQ(servers[2].ipAddress, u"127.0.0.3");
  EXPECT_THAT(servers[2].queueNames, ElementsAre(u"Hold", u"Normal", u"Zq"));
  EXPECT_EQ(servers[3].ipAddress, u"127.0.0.8");
  EXPECT_EQ(servers[1].ipAddress, u"127.0.0.6");
  // The probe went out twice, 19 bytes each; wrong replies led to no query.
  EXPECT_THAT(control_.Items("{\"cmd\":\"probes\"}"),
              ElementsAre(std::string("TAVIK Quorvane Vrik"), std::string("TAVIK Quorvane Vrik")));
  EXPECT_TRUE(control_.Requests("127.0.0.7").empty());
  EXPECT_EQ(control_.Requests("127.0.0.2").size(), 2u);  // queried once
}

TEST_F(ServerTest, DiscoveryWithoutServersEndsInAboutThreeSeconds) {
  Configure("\"udp\": [], \"hosts\": {}");
  PrintServerList servers(1);
  double start = Seconds();
  EXPECT_TRUE(DiscoverPrintServers(servers));
  double took = Seconds() - start;
  EXPECT_TRUE(servers.empty());
  EXPECT_GE(took, 2.8);
  EXPECT_LE(took, 4.5);
  EXPECT_EQ(control_.Items("{\"cmd\":\"probes\"}").size(), 2u);
}

}  // namespace
