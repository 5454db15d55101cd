// Short fuzz loops over the parsers of untrusted network input: random and mutated
// discovery replies, and random and mutated answers split into random chunks. They
// must neither crash nor break the invariants of the record.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Discovery.h"
#include "FakeQueryPlatform.h"
#include "Query.h"

namespace {

const char* const kSeeds[] = {
    "<queues><queue><name>Hold</name><name>A</name></queue><queue><name/></queue></queues>",
    "<rip><communication><ripname>R &amp; D</ripname></communication></rip>",
    "<?xml version=\"1.0\"?><queues><queue><name>&#65;&#x42;</name></queue></queues>",
    "<queues><![CDATA[x]]><!-- c --><queue a=\"1\" b><name>x<y></name></queue>",
    "<queues><queue><queue><queue><name>deep</name></queue></queue></queue></queues>",
};

std::string Mutate(std::string s, std::mt19937& rng) {
  std::uniform_int_distribution<int> byte(0, 255);
  int edits = 1 + int(rng() % 8);
  for (int i = 0; i < edits; ++i) {
    size_t at = s.empty() ? 0 : rng() % (s.size() + 1);
    switch (rng() % 4) {
      case 0: s.insert(at, 1, char(byte(rng))); break;
      case 1: if (at < s.size()) s.erase(at, 1 + rng() % 4); break;
      case 2: if (at < s.size()) s[at] = char(byte(rng)); break;
      default: s.insert(at, std::string("<>/&;#x\"'=?!-[]").substr(rng() % 15, 1 + rng() % 3)); break;
    }
  }
  return s;
}

TEST(NetFuzz, DiscoveryRepliesNeverReadPastTheirLength) {
  std::mt19937 rng(20261210);
  for (int i = 0; i < 3000; ++i) {
    int length = int(rng() % 60);
    std::vector<unsigned char> data(static_cast<size_t>(length));
    for (auto& b : data) b = (unsigned char)(rng() % 256);
    if (rng() % 2 && length >= 15) std::memcpy(data.data(), "TAVIK Quorvane\0", 15);
    std::u16string dotted;
    bool accepted = ParseDiscoveryReply(data.data(), length, &dotted);
    EXPECT_EQ(accepted, length == 38 && std::memcmp(data.data(), "TAVIK Quorvane\0", 15) == 0);
    if (accepted) {
      EXPECT_LE(dotted.size(), 15u);
    }
  }
}

TEST(NetFuzz, AnswersInRandomChunksKeepTheRecordSound) {
  std::mt19937 rng(7);
  for (int i = 0; i < 1500; ++i) {
    std::string body = kSeeds[rng() % (sizeof kSeeds / sizeof kSeeds[0])];
    if (rng() % 5 == 0) {
      body.clear();
      for (size_t n = rng() % 200; n > 0; --n) body += char(rng() % 256);
    } else {
      body = Mutate(body, rng);
    }
    std::string answer = HttpAnswer(body);
    std::vector<std::string> chunks;
    for (size_t at = 0; at < answer.size();) {
      size_t n = 1 + rng() % 64;
      chunks.push_back(answer.substr(at, n));
      at += n;
    }
    FakeQueryPlatform platform;
    platform.Add(chunks);
    platform.Add(chunks);
    PrintServer record;
    ASSERT_TRUE(QueryPrintServerOn(platform, u"fuzz", record));
    ASSERT_GE(record.queueNames.size(), 2u);
    EXPECT_EQ(record.queueNames[0], u"Hold");
    EXPECT_EQ(record.queueNames[1], u"Normal");
    for (size_t a = 0; a < record.queueNames.size(); ++a) {
      EXPECT_TRUE(IsUsableQueueName(record.queueNames[a]));
      for (size_t b = a + 1; b < record.queueNames.size(); ++b)
        EXPECT_NE(record.queueNames[a], record.queueNames[b]);
    }
  }
}

}  // namespace
