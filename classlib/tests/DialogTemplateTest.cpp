// Dialog templates in the property-sheet font: both template forms, with and without
// a font, keep their controls byte for byte; malformed templates are refused.
#include "DialogTemplate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, uint16_t(v));
  Put16(b, uint16_t(v >> 16));
}
void PutText(Bytes& b, const std::u16string& s) {
  for (char16_t c : s) Put16(b, uint16_t(c));
  Put16(b, 0);
}
void Align(Bytes& b) { b.resize((b.size() + 3) & ~size_t(3), 0); }

// One static control of the extended form, as it follows the header.
Bytes Control() {
  Bytes c;
  Put32(c, 0);           // help id
  Put32(c, 0);           // ex style
  Put32(c, 0x50000000);  // style
  for (int i = 0; i < 4; ++i) Put16(c, uint16_t(10 * i));
  Put32(c, 1082);         // id
  Put16(c, 0xFFFF);
  Put16(c, 0x0082);       // static
  PutText(c, u"v");
  Put16(c, 0);            // no creation data
  return c;
}

Bytes Extended(bool font, const std::u16string& face, uint16_t points) {
  Bytes b;
  Put16(b, 1);
  Put16(b, 0xFFFF);
  Put32(b, 0);                                        // help id
  Put32(b, 0);                                        // ex style
  Put32(b, 0x40000000u | (font ? dlgtemplate::kDsSetFont : 0));  // WS_CHILD
  Put16(b, 1);                                        // one control
  for (int i = 0; i < 4; ++i) Put16(b, 0);
  Put16(b, 0);         // no menu
  PutText(b, u"Cls");  // class by name
  PutText(b, u"");     // title
  if (font) {
    Put16(b, points);
    Put16(b, 700);
    b.push_back(1);    // italic
    b.push_back(128);  // charset
    PutText(b, face);
  }
  Align(b);
  Bytes c = Control();
  b.insert(b.end(), c.begin(), c.end());
  return b;
}

Bytes Classic() {
  Bytes b;
  Put32(b, 0x40000000);
  Put32(b, 0);
  Put16(b, 1);
  for (int i = 0; i < 4; ++i) Put16(b, 0);
  Put16(b, 0xFFFF);
  Put16(b, 5);  // menu by ordinal
  Put16(b, 0);
  PutText(b, u"Title");
  Align(b);
  const Bytes control = {1, 2, 3, 4, 5, 6, 7, 8};
  b.insert(b.end(), control.begin(), control.end());
  return b;
}

const dlgtemplate::FontInfo kSheetFont{u"MS Shell Dlg", 8};

TEST(DialogTemplate, ExtendedFormTakesTheSheetFont) {
  struct Case {
    bool font;
    const char16_t* face;
    uint16_t points;
    bool matches;
  } const cases[] = {
      {true, u"MS Shell Dlg", 8, true},
      {true, u"MS Shell Dlg", 9, false},
      {true, u"MS UI Gothic", 8, false},
      {false, u"", 0, false},
  };
  for (const Case& c : cases) {
    const Bytes original = Extended(c.font, c.face, c.points);
    dlgtemplate::Parsed parsed;
    ASSERT_TRUE(dlgtemplate::Parse(original.data(), original.size(), parsed));
    EXPECT_TRUE(parsed.extended);
    EXPECT_EQ(dlgtemplate::HasFont(parsed, kSheetFont), c.matches);

    const Bytes copy = dlgtemplate::WithFont(original.data(), original.size(), kSheetFont);
    dlgtemplate::Parsed after;
    ASSERT_TRUE(dlgtemplate::Parse(copy.data(), copy.size(), after));
    EXPECT_TRUE(dlgtemplate::HasFont(after, kSheetFont));
    EXPECT_EQ(after.style & 0x40000000u, 0x40000000u);
    EXPECT_EQ(after.itemsOffset % 4, 0u);
    EXPECT_EQ(after.weight, c.font ? 700 : 400);
    EXPECT_EQ(after.charset, c.font ? 128 : 1);
    EXPECT_EQ(Bytes(copy.begin() + long(after.itemsOffset), copy.end()), Control());
  }
}

TEST(DialogTemplate, ClassicFormGetsAFont) {
  const Bytes original = Classic();
  const Bytes copy = dlgtemplate::WithFont(original.data(), original.size(), kSheetFont);
  dlgtemplate::Parsed after;
  ASSERT_TRUE(dlgtemplate::Parse(copy.data(), copy.size(), after));
  EXPECT_FALSE(after.extended);
  EXPECT_TRUE(dlgtemplate::HasFont(after, kSheetFont));
  EXPECT_EQ(Bytes(copy.end() - 8, copy.end()), Bytes({1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(DialogTemplate, TruncatedTemplatesAreRefused) {
  const Bytes whole = Extended(true, u"MS Shell Dlg", 8);
  dlgtemplate::Parsed parsed;
  for (size_t cut : {size_t(0), size_t(3), size_t(20), size_t(30), size_t(40)}) {
    EXPECT_FALSE(dlgtemplate::Parse(whole.data(), cut, parsed)) << cut;
    EXPECT_TRUE(dlgtemplate::WithFont(whole.data(), cut, kSheetFont).empty()) << cut;
  }
  EXPECT_FALSE(dlgtemplate::Parse(nullptr, 100, parsed));
}

}  // namespace
