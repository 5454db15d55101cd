#include <gtest/gtest.h>

#include <string>

#include "PathDisplay.h"

namespace {

using drux::DisplayToPath;
using drux::ToDisplayForm;

struct DisplayCase {
  std::u16string path;
  std::u16string shown;
};

class DisplayForm : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayForm, ShowsNameThenFolderAndGivesThePathBack) {
  const DisplayCase& c = GetParam();
  EXPECT_EQ(c.shown, ToDisplayForm(c.path));
  EXPECT_EQ(c.path, DisplayToPath(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayForm,
    ::testing::Values(DisplayCase{u"C:\\jobs\\a.ps", u"a.ps\t [C:\\jobs]"},
                      DisplayCase{u"C:\\a.ps", u"a.ps\t [C:]"},
                      DisplayCase{u"\\a.ps", u"a.ps\t"},
                      DisplayCase{u"a.ps", u"a.ps"},
                      DisplayCase{u"", u""},
                      DisplayCase{u"\\\\server\\share\\job [1].prn",
                                  u"job [1].prn\t [\\\\server\\share]"},
                      DisplayCase{u"C:\\folder\\", u"\t [C:\\folder]"},
                      DisplayCase{u"C:\\x]\\[y", u"[y\t [C:\\x]]"}));

TEST(DisplayForm, EntriesCutShortAfterTheTabGiveTheNameAtTheRoot) {
  // Whatever a list holds, the way back never reads outside the entry.
  EXPECT_EQ(u"\\a.ps", DisplayToPath(u"a.ps\t "));
  EXPECT_EQ(u"\\a.ps", DisplayToPath(u"a.ps\t ["));
  EXPECT_EQ(u"\\a.ps", DisplayToPath(u"a.ps\t [x"));
  EXPECT_EQ(u"x\\a.ps", DisplayToPath(u"a.ps\t [x]"));
  EXPECT_EQ(u"\\", DisplayToPath(u"\t"));
  // The first tab splits; the folder keeps what follows it.
  EXPECT_EQ(u"b\tc\\a", DisplayToPath(u"a\t [b\tc]"));
}

TEST(DisplayForm, TheLabelIsThePartBeforeTheLastTab) {
  EXPECT_EQ(u"a.ps", drux::TabLabel(u"a.ps\t [C:\\jobs]"));
  EXPECT_EQ(u"a.ps", drux::TabLabel(u"a.ps\t"));
  EXPECT_EQ(u"Laser", drux::TabLabel(u"Laser"));
  EXPECT_EQ(u"a\tb", drux::TabLabel(u"a\tb\tc"));
}

TEST(TabStop, IntegerFormulaOfTheWidestLabel) {
  struct Case {
    int width, baseX, stop;
  } cases[] = {
      {0, 8, 2},      // ((0 + 16) / 3) * 4 / 8 = 5 * 4 / 8
      {100, 8, 69},   // (416 / 3 = 138) * 4 / 8
      {101, 8, 70},   // 420 / 3 = 140
      {102, 8, 70},   // 424 / 3 = 141, * 4 = 564, / 8 = 70
      {100, 7, 78},   // 552 / 7
      {100, 6, 92},
      {100, 0, 552},  // no base unit: as 1
      {-5, 8, 2},     // a failed measure counts as nothing
      {2000000000, 1, 2147483647},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.stop, drux::TabStopFor(c.width, c.baseX)) << c.width << " / " << c.baseX;
}

TEST(ListMeasures, AddingOneByOneGivesTheWholeListsMeasure) {
  // Pairs of label and entry widths, in the order they are added.
  const int widths[][2] = {{30, 80}, {55, 70}, {10, 140}, {55, 90}, {0, 0}};
  drux::ListMeasures m(4);
  EXPECT_EQ(4, m.Extent());
  EXPECT_EQ(2, m.TabStop(8));
  int widestLabel = 0, widestEntry = 0;
  for (const auto& w : widths) {
    m.Add(w[0], w[1]);
    widestLabel = std::max(widestLabel, w[0]);
    widestEntry = std::max(widestEntry, w[1]);
    EXPECT_EQ(widestEntry + 4, m.Extent());
    EXPECT_EQ(drux::TabStopFor(widestLabel, 8), m.TabStop(8));
  }
  m.Reset();
  EXPECT_EQ(4, m.Extent());
  m.Add(12, 20);
  EXPECT_EQ(24, m.Extent());
  EXPECT_EQ(drux::TabStopFor(12, 8), m.TabStop(8));
}

}  // namespace
