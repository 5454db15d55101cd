#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrinterNames.h"

namespace {

using Names = std::vector<std::u16string>;
using ::testing::ElementsAre;

TEST(SortStringList, ByCodeUnitSoUpperCaseComesFirst) {
  Names names{u"laser", u"Laser", u"Archive"};
  drux::SortStringList(names);
  EXPECT_THAT(names, ElementsAre(u"Archive", u"Laser", u"laser"));
  Names mixed{u"alpha", u"Zeta", u"Laser 2", u"Laser", u"\u00C4rger", u"Z", u"Zeta"};
  drux::SortStringList(mixed);
  EXPECT_THAT(mixed, ElementsAre(u"Laser", u"Laser 2", u"Z", u"Zeta", u"Zeta", u"alpha",
                                 u"\u00C4rger"));
}

TEST(SortStringList, CodeUnitsAboveTheSignedRangeSortLast) {
  Names names{u"\uFF21", u"\u4E00", u"a"};  // as unsigned 16-bit values
  drux::SortStringList(names);
  EXPECT_THAT(names, ElementsAre(u"a", u"\u4E00", u"\uFF21"));
}

TEST(SortStringList, PassesNeeded) {
  Names empty;
  EXPECT_EQ(0, drux::SortStringList(empty));
  Names one{u"x"};
  EXPECT_EQ(0, drux::SortStringList(one));
  Names sorted{u"A", u"B", u"C", u"D"};
  EXPECT_EQ(1, drux::SortStringList(sorted));  // one pass, no exchange
  Names reversed{u"D", u"C", u"B", u"A"};
  EXPECT_EQ(3, drux::SortStringList(reversed));  // never more than n - 1
  EXPECT_THAT(reversed, ElementsAre(u"A", u"B", u"C", u"D"));
  Names lastFirst{u"B", u"C", u"D", u"A"};
  EXPECT_EQ(3, drux::SortStringList(lastFirst));
  Names firstLast{u"D", u"A", u"B", u"C"};
  EXPECT_EQ(2, drux::SortStringList(firstLast));  // sorted after one pass, seen in the next
}

TEST(PrinterRefresh, AListWithTheSameNamesIsLeftAlone) {
  EXPECT_TRUE(drux::SamePrinters({u"A", u"B"}, {u"B", u"A"}));
  EXPECT_TRUE(drux::SamePrinters({}, {}));
  EXPECT_FALSE(drux::SamePrinters({u"A", u"B"}, {u"A", u"b"}));  // case counts
  EXPECT_FALSE(drux::SamePrinters({u"A"}, {u"A", u"B"}));
  EXPECT_FALSE(drux::SamePrinters({u"A", u"B"}, {u"A"}));
}

TEST(PrinterRefresh, ReselectRule) {
  struct Case {
    const char* what;
    int selected;
    std::u16string text;
    int found, count, expected;
  } cases[] = {
      {"the same printer, now elsewhere", 2, u"Laser", 0, 4, 0},
      {"the same printer, same place", 1, u"Laser", 1, 4, 1},
      {"gone: the same index", 1, u"Laser", -1, 3, 1},
      {"gone from the end: the last entry", 3, u"Laser", -1, 3, 2},
      {"gone, list now empty", 0, u"Laser", -1, 0, -1},
      {"an empty text is not looked for", 2, u"", 0, 4, 2},
      {"nothing selected stays so", -1, u"", -1, 4, -1},
      {"nothing selected, printer found", -1, u"Laser", 0, 4, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, drux::ReselectIndex(c.selected, c.text, c.found, c.count)) << c.what;
}

TEST(PrinterMenu, AmpersandsAreDoubledSoTheNameShowsAsItIs) {
  EXPECT_EQ(u"A&&B", drux::MenuLabel(u"A&B"));
  EXPECT_EQ(u"&&&&x&&", drux::MenuLabel(u"&&x&"));
  EXPECT_EQ(u"Laser", drux::MenuLabel(u"Laser"));
  EXPECT_EQ(u"", drux::MenuLabel(u""));
}

TEST(PrinterMenu, CommandIdsNamePrintersFromOneThousand) {
  EXPECT_EQ(-1, drux::PrinterForCommand(0, 3));  // closed without a choice
  EXPECT_EQ(-1, drux::PrinterForCommand(999, 3));
  EXPECT_EQ(0, drux::PrinterForCommand(1000, 3));
  EXPECT_EQ(2, drux::PrinterForCommand(1002, 3));
  EXPECT_EQ(-1, drux::PrinterForCommand(1003, 3));
  EXPECT_EQ(-1, drux::PrinterForCommand(1000, 0));
}

}  // namespace
