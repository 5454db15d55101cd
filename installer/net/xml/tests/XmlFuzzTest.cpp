// A short fuzz loop over the XML reader: random documents built from the reader's
// own fragments, and mutations of real answers. Bounded in count and time so that
// it runs in every test run under the sanitizers; the libFuzzer target is for
// longer runs.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "XmlFuzz.h"

namespace {

const std::vector<std::u16string> kFragments = {
    u"<", u">", u"</", u"<?", u"?>", u"/>", u"/", u"=", u"\"", u"'", u" ", u"\t", u"\r\n",
    u"&", u"&amp;", u"&lt;", u"&#", u"&#x", u";", u"&#65;", u"&#x10FFFF;", u"&#x110000;",
    u"&#0;", u"9999999999", u"<![CDATA[", u"]]>", u"<PRE>", u"</PRE>", u"<Script>",
    u"</Script>", u"<!--", u"-->", u"<!DOCTYPE", u"queue", u"name", u"queues", u"rip",
    u"ripname", u"xml", u"a", u"b", u"Hold", u"\u00e9", u"\xD800", u"\xDC00", u"\xFFFF",
    std::u16string(1, u'\0'),
};

const std::vector<std::u16string> kSeeds = {
    u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<queues>\n <queue><name>Hold</name></queue>\n"
    u" <queue><name>Normal</name></queue>\n <queue><name>A &amp; B</name></queue>\n</queues>\n",
    u"<rip><communication><ripname>RIP &#x41;</ripname></communication></rip>",
    u"<a x='1' y=\"2\" z><!-- c --><![CDATA[d]]><b/>text<c>t</C></a>",
    u"<!DOCTYPE x><PRE>p</PRE><Script>s</Script><e a=b/>",
};

std::u16string Mutate(std::u16string doc, std::mt19937& rng) {
  const int steps = 1 + int(rng() % 8);
  for (int k = 0; k < steps; ++k) {
    const size_t at = doc.empty() ? 0 : rng() % (doc.size() + 1);
    switch (rng() % 5) {
      case 0: doc.insert(at, kFragments[rng() % kFragments.size()]); break;
      case 1:
        if (!doc.empty() && at < doc.size()) doc.erase(at, 1 + rng() % 8);
        break;
      case 2:
        if (at < doc.size()) doc[at] = char16_t(rng() % 128);
        break;
      case 3: {  // repeat a piece, towards deep nesting and long runs
        if (at < doc.size()) {
          const std::u16string piece = doc.substr(at, 1 + rng() % 6);
          for (int r = int(rng() % 300); r > 0; --r) doc.insert(at, piece);
        }
        break;
      }
      case 4:
        if (at < doc.size()) doc.resize(at);
        break;
    }
    if (doc.size() > 20000) doc.resize(20000);
  }
  return doc;
}

std::u16string Random(std::mt19937& rng) {
  std::u16string doc;
  const int pieces = int(rng() % 60);
  for (int i = 0; i < pieces; ++i) doc += kFragments[rng() % kFragments.size()];
  return doc;
}

TEST(XmlFuzz, RandomAndMutatedDocuments) {
  std::mt19937 rng(20261210);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(4);
  int runs = 0;
  for (; runs < 10000 && std::chrono::steady_clock::now() < deadline; ++runs) {
    std::u16string doc;
    switch (runs % 3) {
      case 0: doc = Random(rng); break;
      default: doc = Mutate(kSeeds[rng() % kSeeds.size()], rng); break;
    }
    const std::string finding = FuzzXmlOnce(doc);
    ASSERT_EQ("", finding) << "run " << runs;
  }
  EXPECT_GT(runs, 500);
}

TEST(XmlFuzz, BytesMapToEveryUnit) {
  const uint8_t bytes[] = {'<', 'a', '>', 0xFF, 0x3D, 0xD8, 0xFF, 0x01};
  EXPECT_EQ(std::u16string(u"<a>\xD83D\xFF\x01"), XmlFuzzText(bytes, sizeof bytes));
}

}  // namespace
