#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "Discovery.h"

namespace {

using ::testing::ElementsAre;

std::vector<unsigned char> Reply(int a, int b, int c, int d, size_t length = 38) {
  std::vector<unsigned char> r(38, 0x5A);
  std::memcpy(r.data(), "TAVIK Quorvane", 14);
  r[14] = 0;
  r[21] = (unsigned char)a;
  r[22] = (unsigned char)b;
  r[23] = (unsigned char)c;
  r[24] = (unsigned char)d;
  r.resize(length, 0x5A);
  return r;
}

TEST(DiscoveryReply, AcceptsOnlyExactly38BytesWithTheHeadAndZero) {
  struct Case {
    const char* what;
    std::vector<unsigned char> data;
    bool accepted;
  };
  std::vector<unsigned char> wrongZero = Reply(10, 0, 0, 1);
  wrongZero[14] = '!';
  std::vector<unsigned char> wrongHead = Reply(10, 0, 0, 1);
  wrongHead[6] = 'q';
  const Case cases[] = {
      {"38 bytes", Reply(10, 0, 0, 1), true},
      {"37 bytes", Reply(10, 0, 0, 1, 37), false},
      {"39 bytes", Reply(10, 0, 0, 1, 39), false},
      {"byte 14 not zero", wrongZero, false},
      {"head differs", wrongHead, false},
  };
  for (const Case& c : cases) {
    std::u16string dotted = u"unchanged";
    EXPECT_EQ(ParseDiscoveryReply(c.data.data(), int(c.data.size()), &dotted), c.accepted)
        << c.what;
    if (!c.accepted) {
      EXPECT_EQ(dotted, u"unchanged") << c.what;
    }
  }
  EXPECT_FALSE(ParseDiscoveryReply(Reply(10, 0, 0, 1).data(), -1, nullptr)) << "read error";
}

TEST(DiscoveryReply, AddressComesFromBytes21To24AsUnsignedNumbers) {
  std::u16string dotted;
  ASSERT_TRUE(ParseDiscoveryReply(Reply(192, 168, 0, 7).data(), 38, &dotted));
  EXPECT_EQ(dotted, u"192.168.0.7");
  ASSERT_TRUE(ParseDiscoveryReply(Reply(255, 128, 0, 254).data(), 38, &dotted));
  EXPECT_EQ(dotted, u"255.128.0.254");
}

// A broadcast socket whose answers are scripted wait by wait. An empty entry is a
// wait that times out.
class ScriptedChannel : public DiscoveryChannel {
public:
  std::deque<std::vector<unsigned char>> script;
  std::vector<uint32_t> waits;  // time-outs asked for, in order
  int probes = 0;
  std::vector<unsigned char> pending;

  void SendProbe() override {
    ++probes;
    waits.push_back(0);  // marks where a pass begins
  }
  bool WaitReadable(uint32_t timeoutMs) override {
    waits.push_back(timeoutMs);
    if (script.empty() || script.front().empty()) {
      if (!script.empty()) script.pop_front();
      return false;
    }
    pending = script.front();
    script.pop_front();
    return true;
  }
  int ReadDatagram(unsigned char* buffer, int length) override {
    int n = std::min<int>(length, int(pending.size()));
    std::memcpy(buffer, pending.data(), size_t(n));
    return n;
  }
};

struct Discovery {
  ScriptedChannel channel;
  std::vector<std::u16string> queried;
  std::vector<std::u16string> names;  // display names the fake query gives, in order
  PrintServerList servers;

  void Run() {
    size_t next = 0;
    RunDiscovery(channel,
                 [&](const std::u16string& dotted, PrintServer& record) {
                   EXPECT_TRUE(record.displayName.empty() && record.queueNames.empty());
                   queried.push_back(dotted);
                   record.ipAddress = dotted;
                   record.hostName = dotted;
                   record.displayName = next < names.size() ? names[next] : dotted;
                   ++next;
                 },
                 servers);
  }
  std::vector<std::u16string> Listed() const {
    std::vector<std::u16string> out;
    for (const PrintServer& s : servers) out.push_back(s.displayName);
    return out;
  }
};

TEST(Discovery, NothingAnsweringSendsTwoProbesAndWaitsTwice) {
  Discovery d;
  d.servers.resize(3);  // an earlier call's servers are dropped
  d.Run();
  EXPECT_EQ(d.channel.probes, 2);
  EXPECT_THAT(d.channel.waits, ElementsAre(0u, 1500u, 0u, 1500u));
  EXPECT_TRUE(d.servers.empty());
}

TEST(Discovery, ServerAnsweringBothProbesIsQueriedAndListedOnce) {
  Discovery d;
  d.channel.script = {Reply(10, 0, 0, 5), {}, Reply(10, 0, 0, 5), {}};
  d.Run();
  EXPECT_THAT(d.queried, ElementsAre(u"10.0.0.5"));
  EXPECT_THAT(d.Listed(), ElementsAre(u"10.0.0.5"));
  EXPECT_THAT(d.channel.waits, ElementsAre(0u, 1500u, 500u, 0u, 1500u, 500u));
}

TEST(Discovery, AddressKnownAsHostNameIsNotQueriedAgain) {
  Discovery d;
  d.channel.script = {Reply(10, 0, 0, 1), Reply(10, 0, 0, 2), {}};
  size_t calls = 0;
  RunDiscovery(d.channel,
               [&](const std::u16string&, PrintServer& record) {
                 ++calls;
                 record.ipAddress = u"10.0.0.9";
                 record.hostName = u"10.0.0.2";  // a resolver may answer anything
               },
               d.servers);
  EXPECT_EQ(calls, 1u);
  EXPECT_EQ(d.servers.size(), 1u);
}

TEST(Discovery, WrongRepliesUseUpTheTenWaitsOfAPass) {
  Discovery d;
  std::vector<unsigned char> wrongZero = Reply(10, 0, 0, 1);
  wrongZero[14] = 1;
  // Pass 1: ten wrong datagrams, so the good one waiting behind them is read only in
  // pass 2.
  for (int i = 0; i < 4; ++i) d.channel.script.push_back(Reply(10, 0, 0, 1, 37));
  for (int i = 0; i < 3; ++i) d.channel.script.push_back(Reply(10, 0, 0, 1, 39));
  for (int i = 0; i < 3; ++i) d.channel.script.push_back(wrongZero);
  d.channel.script.push_back(Reply(10, 0, 0, 3));
  d.channel.script.push_back({});
  d.Run();
  EXPECT_EQ(d.channel.waits.size(), 1u + 10u + 1u + 2u);
  EXPECT_THAT(d.queried, ElementsAre(u"10.0.0.3"));
}

TEST(Discovery, ElevenServersInOnePassLeaveTheEleventhToThePassAfter) {
  Discovery d;
  for (int i = 1; i <= 11; ++i) d.channel.script.push_back(Reply(10, 0, 1, i));
  d.channel.script.push_back({});
  d.Run();
  ASSERT_EQ(d.queried.size(), 11u);
  EXPECT_EQ(d.queried[10], u"10.0.1.11");
  // The eleventh is read by the first wait of the second pass.
  EXPECT_EQ(d.channel.waits[11], 0u);
  EXPECT_EQ(d.channel.waits[12], 1500u);
}

TEST(Discovery, ListIsSortedStablyByUnsignedCodeUnits) {
  Discovery d;
  for (int i = 1; i <= 6; ++i) d.channel.script.push_back(Reply(10, 0, 0, i));
  d.names = {u"beta", u"\uFF21wide", u"Alpha", u"beta", u"alpha", u"Zulu"};
  d.Run();
  EXPECT_THAT(d.Listed(), ElementsAre(u"Alpha", u"Zulu", u"alpha", u"beta", u"beta", u"\uFF21wide"));
  // The two "beta" servers keep the order in which their replies were read.
  EXPECT_EQ(d.servers[3].ipAddress, u"10.0.0.1");
  EXPECT_EQ(d.servers[4].ipAddress, u"10.0.0.4");
}

// Long enough that an unstable sort would reorder equal names (short ranges are
// sorted by insertion, which keeps them by chance).
TEST(Discovery, LongListKeepsTheDiscoveryOrderOfEqualNames) {
  PrintServerList servers;
  const char16_t* const names[] = {u"delta", u"Alpha", u"charlie", u"alpha", u"\uFF21", u"bravo"};
  for (int i = 0; i < 200; ++i) {
    PrintServer s;
    s.displayName = names[(i * 7 + i / 5) % 6];
    s.queueNames = {std::u16string(1, char16_t(i))};  // the discovery index
    servers.push_back(std::move(s));
  }
  SortServersByDisplayName(servers);
  ASSERT_EQ(servers.size(), 200u);
  for (size_t i = 1; i < servers.size(); ++i) {
    const PrintServer& a = servers[i - 1];
    const PrintServer& b = servers[i];
    ASSERT_TRUE(a.displayName < b.displayName ||
                (a.displayName == b.displayName && a.queueNames[0] < b.queueNames[0]))
        << "at " << i;
  }
  EXPECT_EQ(servers.front().displayName, u"Alpha");
  EXPECT_EQ(servers.back().displayName, u"\uFF21");
}

}  // namespace
