#include "SetupText.h"

#include <gtest/gtest.h>

using namespace twk::setup;

TEST(CDecimal, ReadsLikeStrtol) {
  struct Case { const char16_t* text; int32_t value; } cases[] = {
      {u"66000", 66000}, {u"  66001", 66001}, {u"+66003,x", 66003}, {u"-12", -12},
      {u"", 0}, {u"abc", 0}, {u"12ab", 12}, {u"99999999999", 2147483647}, {u"-99999999999", -2147483647 - 1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value, CDecimalToInt32(c.text)) << std::string(c.text, c.text + Text(c.text).size());
}

TEST(CDecimal, IncrementNeverOverflows) {
  struct Case { const char16_t* text; const char16_t* next; } cases[] = {
      {u"7", u"8"}, {u"colour", u"1"}, {u"", u"1"}, {u" 9", u"10"}, {u"007", u"8"}, {u"-1", u"0"},
      {u"-10", u"-9"}, {u"-0", u"1"}, {u"2147483647", u"2147483648"},
      {u"99999999999999999999999", u"100000000000000000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(c.next), IncrementCDecimal(c.text));
}

TEST(TextCase, LowerAndCompare) {
  EXPECT_EQ(Text(u"\\\\srv\\hold"), ToLowerAscii(u"\\\\SRV\\Hold"));
  EXPECT_TRUE(EqualIgnoringCase(u"office", u"OFFICE"));
  EXPECT_TRUE(EqualIgnoringCase(u"B\u00fcro", u"B\u00dcRO"));
  EXPECT_FALSE(EqualIgnoringCase(u"Office", u"Office(1)"));
}
