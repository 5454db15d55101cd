#include "TextFormat.h"

#include <gtest/gtest.h>

namespace {

using drux::FormatText;

std::u16string Fmt(const std::u16string& f, std::initializer_list<drux::FormatArg> args) {
  std::u16string out = u"<unchanged>";
  EXPECT_TRUE(FormatText(f, args, &out)) << "refused";
  return out;
}

bool Refused(const std::u16string& f, std::initializer_list<drux::FormatArg> args) {
  std::u16string out = u"<unchanged>";
  const bool ok = FormatText(f, args, &out);
  EXPECT_EQ(u"<unchanged>", out);
  return !ok;
}

TEST(TextFormat, ToolTexts) {
  const std::u16string path = u"C:\\jobs\\a.ps";
  EXPECT_EQ(u"Printing: 2 of 3", Fmt(u"Printing: %lu of %lu", {size_t(2), size_t(3)}));
  EXPECT_EQ(u"File: C:\\jobs\\a.ps", Fmt(u"File: %s", {path}));
  // A wide %s and %ls both take the UTF-16 text.
  EXPECT_EQ(u"[C:\\jobs\\a.ps]", Fmt(u"[%ls]", {path}));
  EXPECT_EQ(u"Version: 2.0.6", Fmt(u"Version: %s", {std::u16string(u"2.0.6")}));
  EXPECT_EQ(u"100% of 4294967296", Fmt(u"100%% of %lu", {4294967296ull}));
  EXPECT_EQ(u"\u00fc\u4e2d", Fmt(u"%s", {std::u16string(u"\u00fc\u4e2d")}));
}

TEST(TextFormat, FlagsWidthPrecision) {
  EXPECT_EQ(u"    7|", Fmt(u"%5lu|", {7u}));
  EXPECT_EQ(u"7    |", Fmt(u"%-5lu|", {7u}));
  EXPECT_EQ(u"00007", Fmt(u"%05lu", {7u}));
  EXPECT_EQ(u"-0005", Fmt(u"%05d", {-5}));
  EXPECT_EQ(u"+5 -5", Fmt(u"%+d %d", {5, -5}));
  EXPECT_EQ(u"ff 0XFF 17", Fmt(u"%x %#X %o", {255, 255, 15}));
  EXPECT_EQ(u"ab|  abc", Fmt(u"%.2s|%5s", {std::u16string(u"abc"), std::u16string(u"abc")}));
  EXPECT_EQ(u"18446744073709551615", Fmt(u"%lu", {-1}));
  EXPECT_EQ(u"-9223372036854775808", Fmt(u"%I64d", {(-9223372036854775807ll - 1)}));
  EXPECT_EQ(u"%", Fmt(u"%%", {}));
}

TEST(TextFormat, Refusals) {
  const std::u16string s = u"x";
  EXPECT_TRUE(Refused(u"%n", {1}));
  EXPECT_TRUE(Refused(u"abc %ln", {1}));
  EXPECT_TRUE(Refused(u"%*d", {1, 2}));
  EXPECT_TRUE(Refused(u"%.*s", {1, s}));
  EXPECT_TRUE(Refused(u"100%", {1}));   // a lone % at the end
  EXPECT_TRUE(Refused(u"%", {}));
  EXPECT_TRUE(Refused(u"%f %p %c %e", {1, 1, 1, 1}));
  EXPECT_TRUE(Refused(u"%hs", {s}));    // narrow text: we have none
  EXPECT_TRUE(Refused(u"%s", {7}));     // number for text
  EXPECT_TRUE(Refused(u"%lu", {s}));    // text for number
  EXPECT_TRUE(Refused(u"%lu of %lu", {1}));  // missing argument
  EXPECT_TRUE(Refused(u"%99999lu", {1}));    // absurd width
}

TEST(TextFormat, FallbackWhenRefused) {
  EXPECT_EQ(u"Printing: 1 of 2",
            drux::FormatTextOr(u"Drucke %n", u"Printing: %lu of %lu", {1u, 2u}));
  EXPECT_EQ(u"Drucke 1 von 2",
            drux::FormatTextOr(u"Drucke %lu von %lu", u"Printing: %lu of %lu", {1u, 2u}));
}

}  // namespace
