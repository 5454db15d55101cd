#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeQueryPlatform.h"
#include "Query.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::string QueueList(const std::string& inner) { return HttpAnswer("<queues>" + inner + "</queues>"); }
std::string Queue(const std::string& names) { return "<queue>" + names + "</queue>"; }

struct Query {
  FakeQueryPlatform platform;
  PrintServer record;
  bool result = false;
  void Run(const std::u16string& name = u"typed") { result = QueryPrintServerOn(platform, name, record); }
};

TEST(PrintServerQuery, SendsTheTwoRequestsOnTwoConnectionsToPort80) {
  Query q;
  auto first = q.platform.Add({QueueList(Queue("<name>A</name>"))});
  auto second = q.platform.Add({HttpAnswer("<rip><communication><ripname>RIP 1</ripname></communication></rip>")});
  q.Run();
  EXPECT_TRUE(q.result);
  EXPECT_EQ(first->sent, std::string("GET /getqueuelist.php HTTP/1.0\r\n\r\n", 34));
  EXPECT_EQ(second->sent, std::string("GET /getripdetails.php HTTP/1.0\r\n\r\n", 35));
  EXPECT_THAT(q.platform.connectAddresses, ElementsAre(u"10.1.2.3", u"10.1.2.3"));
  EXPECT_THAT(q.platform.connectPorts, ElementsAre(80, 80));
  EXPECT_EQ(q.record.hostName, u"printhost");
  EXPECT_EQ(q.record.ipAddress, u"10.1.2.3");
  EXPECT_EQ(q.record.displayName, u"RIP 1");
  EXPECT_THAT(q.record.queueNames, ElementsAre(u"Hold", u"Normal", u"A"));
  EXPECT_EQ(first->largestAsk, 4095);
}

TEST(PrintServerQuery, NothingOnPort80GivesFalseWithTheFixedQueues) {
  Query q;
  q.platform.resolvedHost.clear();  // an unresolved name stays in both fields
  q.record.queueNames = {u"old"};
  q.platform.AddRefused();
  q.Run(u"nosuchhost");
  EXPECT_FALSE(q.result);
  EXPECT_THAT(q.record.queueNames, ElementsAre(u"Hold", u"Normal"));
  EXPECT_EQ(q.record.hostName, u"nosuchhost");
  EXPECT_EQ(q.record.ipAddress, u"nosuchhost");
  EXPECT_EQ(q.record.displayName, u"nosuchhost");
  EXPECT_EQ(q.platform.connectAddresses.size(), 1u);
}

TEST(PrintServerQuery, RefusedSecondConnectionKeepsTheHostNameAsDisplayName) {
  Query q;
  q.platform.Add({QueueList(Queue("<name>Colour</name>"))});
  q.platform.AddRefused();
  q.Run();
  EXPECT_TRUE(q.result);
  EXPECT_EQ(q.record.displayName, u"printhost");
  EXPECT_THAT(q.record.queueNames, ElementsAre(u"Hold", u"Normal", u"Colour"));
}

TEST(PrintServerQuery, QueueListAnswers) {
  struct Case {
    const char* what;
    std::vector<std::string> chunks;
    std::vector<std::u16string> queues;
  };
  const std::string twoQueues = QueueList(Queue("<name>A</name>") + Queue("<name>B</name>"));
  const Case cases[] = {
      {"duplicates once", {QueueList(Queue("<name>A</name><name>Hold</name>") + Queue("<name>A</name>"))},
       {u"Hold", u"Normal", u"A"}},
      {"name without text adds one empty name",
       {QueueList(Queue("<name></name><name/>") + Queue("<name></name>"))}, {u"Hold", u"Normal", u""}},
      {"XML declaration first adds nothing",
       {HttpAnswer("<?xml version=\"1.0\"?><queues><queue><name>A</name></queue></queues>")},
       {u"Hold", u"Normal"}},
      {"top element Queues adds nothing", {HttpAnswer("<Queues><queue><name>A</name></queue></Queues>")},
       {u"Hold", u"Normal"}},
      {"children in capitals are read", {QueueList("<QUEUE><NAME>A</NAME></QUEUE>")}, {u"Hold", u"Normal", u"A"}},
      {"any status with a good body", {HttpAnswer("<queues><queue><name>A</name></queue></queues>", "404 Not Found")},
       {u"Hold", u"Normal", u"A"}},
      {"no empty line", {"<queues><queue><name>A</name></queue></queues>"}, {u"Hold", u"Normal"}},
      {"answer starting with the empty line", {"\r\n\r\n<queues><queue><name>A</name></queue></queues>"},
       {u"Hold", u"Normal"}},
      {"two top elements", {HttpAnswer("<queues><queue><name>A</name></queue></queues><queues/>")},
       {u"Hold", u"Normal"}},
      {"broken XML", {QueueList(Queue("<name>A &bogus; B</name>"))}, {u"Hold", u"Normal"}},
      {"path characters and controls skipped",
       {QueueList(Queue("<name>a\\b</name><name>a/b</name><name>a&#9;b</name><name>a&#x7F;b</name>"
                        "<name>ok</name><name>a&#x85;b</name>"))},
       {u"Hold", u"Normal", u"ok"}},
      {"split into chunks anywhere", {twoQueues.substr(0, 7), twoQueues.substr(7, 40), twoQueues.substr(47)},
       {u"Hold", u"Normal", u"A", u"B"}},
      {"a zero byte ends the whole answer",
       {QueueList(Queue("<name>A</name>")).substr(0, 60), std::string("\0<name>B</name>", 15), "</queue></queues>"},
       {u"Hold", u"Normal"}},
      {"8-bit characters", {QueueList(Queue("<name>Caf\xE9</name>"))}, {u"Hold", u"Normal", u"Caf\u00E9"}},
  };
  for (const Case& c : cases) {
    Query q;
    q.platform.Add(c.chunks);
    q.platform.AddRefused();
    q.Run();
    EXPECT_TRUE(q.result) << c.what;
    EXPECT_THAT(q.record.queueNames, ElementsAreArray(c.queues)) << c.what;
  }
}

TEST(PrintServerQuery, ZeroByteInALaterChunkKeepsWhatCameBefore) {
  Query q;
  std::string answer = QueueList(Queue("<name>A</name>"));
  q.platform.Add({answer.substr(0, 10), answer.substr(10) + std::string("\0junk", 5)});
  q.platform.AddRefused();
  q.Run();
  EXPECT_THAT(q.record.queueNames, ElementsAre(u"Hold", u"Normal", u"A"));
  EXPECT_EQ(q.platform.decodes, 1);  // the answer is decoded once, not chunk by chunk
}

TEST(PrintServerQuery, ServerDetailsAnswers) {
  struct Case {
    const char* what;
    std::string body;
    std::u16string displayName;
  };
  const Case cases[] = {
      {"first communication with a ripname",
       "<rip><communication><port>1</port></communication><communication><ripname>Second</ripname>"
       "<ripname>Third</ripname></communication></rip>",
       u"Second"},
      {"ripname without text", "<rip><communication><ripname/></communication></rip>", u""},
      {"no ripname", "<rip><communication/></rip>", u"printhost"},
      {"top element RIP", "<RIP><communication><ripname>X</ripname></communication></RIP>", u"printhost"},
      {"capitals below the top", "<rip><COMMUNICATION><RipName>X</RipName></COMMUNICATION></rip>", u"X"},
  };
  for (const Case& c : cases) {
    Query q;
    q.platform.Add({QueueList("")});
    q.platform.Add({HttpAnswer(c.body)});
    q.Run();
    EXPECT_EQ(q.record.displayName, c.displayName) << c.what;
  }
}

TEST(PrintServerQuery, AnswerOverTheCapAddsNothingAndReadingStops) {
  Query q;
  auto endless = q.platform.Add({});
  endless->chunks = {HttpAnswer("<queues>"), std::string(4000, ' ')};
  endless->endless = true;
  q.platform.AddRefused();
  q.Run();
  EXPECT_THAT(q.record.queueNames, ElementsAre(u"Hold", u"Normal"));
  EXPECT_LE(endless->receives, int(kMaxAnswerBytes / 4000) + 2);
}

TEST(PrintServerQuery, AnswerOfExactlyTheCapIsUsed) {
  Query q;
  std::string answer = QueueList(Queue("<name>Big</name>"));
  answer.insert(answer.size() - std::string("</queues>").size(),
                std::string(kMaxAnswerBytes - answer.size(), ' '));
  ASSERT_EQ(answer.size(), kMaxAnswerBytes);
  std::vector<std::string> chunks;
  for (size_t at = 0; at < answer.size(); at += 4095) chunks.push_back(answer.substr(at, 4095));
  q.platform.Add(chunks);
  q.platform.AddRefused();
  q.Run();
  EXPECT_THAT(q.record.queueNames, ElementsAre(u"Hold", u"Normal", u"Big"));
}

TEST(PrintServerQuery, TricklingServerIsCutOffAtTheDeadline) {
  for (uint32_t start : {1000u, 0xFFFFF000u /* the tick count wraps meanwhile */}) {
    Query q;
    q.platform.now = start;
    auto trickle = q.platform.Add({HttpAnswer("<queues><queue><name>T</name></queue></queues>"), " "});
    trickle->endless = true;
    trickle->msPerReceive = 100;
    q.platform.AddRefused();
    q.Run();
    EXPECT_EQ(trickle->receives, int(kAnswerDeadlineMs / 100)) << start;
    // Whatever arrived before the deadline is used.
    EXPECT_THAT(q.record.queueNames, ElementsAre(u"Hold", u"Normal", u"T")) << start;
  }
}

TEST(PrintServerQuery, ManyQueuesAreListedOnceEach) {
  Query q;
  std::string inner;
  const int kQueues = 20000;
  for (int i = 0; i < kQueues; ++i) inner += Queue("<name>Q" + std::to_string(i % (kQueues / 2)) + "</name>");
  q.platform.Add({QueueList(inner)});
  q.platform.AddRefused();
  q.Run();
  ASSERT_EQ(q.record.queueNames.size(), size_t(2 + kQueues / 2));
  EXPECT_EQ(q.record.queueNames[2], u"Q0");
  EXPECT_EQ(q.record.queueNames.back(), u"Q" + std::u16string(u"9999"));
}

TEST(AnswerBody, FoundOnlyAfterTheFirstCharacter) {
  EXPECT_EQ(FindAnswerBody(u"HTTP/1.0 200\r\n\r\n<a/>"), 12u);
  EXPECT_EQ(FindAnswerBody(u"\r\n\r\n<a/>"), std::u16string::npos);
  EXPECT_EQ(FindAnswerBody(u"x\r\n\r\n"), 1u);
  EXPECT_EQ(FindAnswerBody(u"HTTP/1.0 200\r\n\r<a/>"), std::u16string::npos);
}

TEST(TickDifference, CountsAcrossTheWrapOfTheCounter) {
  EXPECT_EQ(TickDifference(1000, 4000), 3000u);
  EXPECT_EQ(TickDifference(0xFFFFFF00u, 0x100u), 0x200u);
}

}  // namespace
