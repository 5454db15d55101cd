// Paper tables and the paper matching, from the DEVMODE side and back.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>

#include "PaperTables.h"

namespace {

using qv::DmPaperFromPageSize;
using qv::DmPaperFromSize;
using qv::PageSizeExtent;
using qv::PaperIndexFromSize;

TEST(PaperTables, WindowsPaperTableHasTheDocumentedIds) {
  std::set<std::int32_t> ids;
  for (std::size_t i = 0; i < qv::kWindowsPaperCount; ++i) {
    const qv::PaperRow& row = qv::WindowsPaperTable[i];
    if (i > 0) {
      EXPECT_LT(qv::WindowsPaperTable[i - 1].id, row.id);
    }
    EXPECT_GT(row.width, 0);
    EXPECT_GT(row.length, 0);
    ids.insert(row.id);
  }
  EXPECT_EQ(116u, ids.size());
  EXPECT_EQ(1, *ids.begin());
  EXPECT_EQ(118, *ids.rbegin());
  EXPECT_EQ(0u, ids.count(48));
  EXPECT_EQ(0u, ids.count(49));
  struct Telling { std::int32_t id, width, length; };
  const Telling rows[] = {{1, 215900, 279400}, {2, 215900, 279400}, {18, 215900, 279400}, {54, 215900, 279400},
                          {4, 431800, 279400}, {9, 210000, 297000}, {10, 210000, 297000}, {55, 210000, 297000},
                          {12, 250000, 354000}, {13, 182000, 257000}, {33, 250000, 353000}, {42, 250000, 353000},
                          {35, 176000, 125000}, {52, 296926, 457200}, {53, 235458, 322326}, {88, 128000, 182000},
                          {118, 458000, 324000}};
  for (const Telling& t : rows) {
    for (const qv::PaperRow& row : qv::WindowsPaperTable) {
      if (row.id != t.id) continue;
      EXPECT_EQ(t.width, row.width) << t.id;
      EXPECT_EQ(t.length, row.length) << t.id;
    }
  }
}

TEST(PaperTables, PageSizeTableIsThePostScriptSizesInMicrometres) {
  // Points of each PageSize entry; the table holds points * 25400 / 72 rounded.
  const int points[19][2] = {{612, 792},  {612, 1008}, {792, 1224}, {612, 964},  {396, 612},
                             {896, 1304}, {842, 1191}, {595, 842},  {420, 595},  {729, 1032},
                             {516, 729},  {363, 516},  {284, 419},  {814, 1083}, {765, 1083},
                             {680, 941},  {612, 785},  {340, 666},  {255, 581}};
  for (std::uint32_t i = 0; i < qv::kPageSizeCount; ++i) {
    EXPECT_EQ(static_cast<std::int32_t>(i), qv::PageSizeTable[i].id);
    EXPECT_EQ((points[i][0] * 25400 * 2 + 72) / 144, qv::PageSizeTable[i].width) << i;
    EXPECT_EQ((points[i][1] * 25400 * 2 + 72) / 144, qv::PageSizeTable[i].length) << i;
  }
}

TEST(PaperMatching, DmPaperFromEveryPageSize) {
  const std::int32_t expected[19] = {1, 5, 3, 256, 6, 256, 8, 9, 11, 256, 13, 88, 43, 256, 256, 71, 72, 73, 74};
  for (std::uint32_t i = 0; i < 19; ++i) EXPECT_EQ(expected[i], DmPaperFromPageSize(i)) << "page size " << i;
  EXPECT_EQ(256, DmPaperFromPageSize(19));
  EXPECT_EQ(256, DmPaperFromPageSize(UINT32_MAX));
}

TEST(PaperMatching, PageSizeFromEveryDmPaperIdWithoutExtents) {
  std::int32_t expected[260];
  for (std::int32_t& e : expected) e = 19;
  for (int id : {1, 2, 18, 54}) expected[id] = 0;
  expected[5] = 1;
  for (int id : {3, 17}) expected[id] = 2;
  expected[6] = 4;
  for (int id : {8, 67}) expected[id] = 6;
  for (int id : {9, 10, 55}) expected[id] = 7;
  for (int id : {11, 61}) expected[id] = 8;
  for (int id : {13, 62}) expected[id] = 10;
  expected[88] = 11;
  expected[43] = 12;
  expected[71] = 15;
  expected[72] = 16;
  expected[73] = 17;
  expected[74] = 18;
  for (std::int32_t id = -1; id < 260; ++id) {
    const std::uint32_t want = id < 0 ? 19u : static_cast<std::uint32_t>(expected[id]);
    EXPECT_EQ(want, PaperIndexFromSize(id, 0, 0, 10)) << "DMPAPER " << id;
  }
}

TEST(PaperMatching, PageSizeFromExtents) {
  struct Case {
    const char* what;
    std::int32_t id, width, length;
    std::uint32_t unitsPerMm, expected;
  };
  const Case cases[] = {
      {"user A4 in tenths, nearest pass", 256, 2100, 2970, 10, 7},
      {"id 118 uses the given extents", 118, 2159, 2794, 10, 0},
      {"id 12 (B4 as documented) is no page size", 12, 2571, 3640, 10, 19},
      {"nothing", 0, 0, 0, 10, 19},
      {"negative width", 0, -2159, 2794, 10, 19},
      {"negative length", 0, 2159, -2794, 10, 19},
      {"width above 32767 read as signed", 0, static_cast<std::int16_t>(0x8000), 2794, 10, 19},
      {"landscape Letter", 0, 2794, 2159, 10, 19},
      {"Letter exact in tenths", 0, 2159, 2794, 10, 0},
      {"A4 in micrometres", 0, 209903, 297039, 1000, 7},
      {"A4 one micrometre off", 0, 209904, 297038, 1000, 7},
      {"A4 just inside tolerance", 0, 209903 + 882, 297039 - 882, 1000, 7},
      {"A4 just outside tolerance", 0, 209903 + 883, 297039, 1000, 19},
      {"A4 in hundredths of a micrometre", 0, 20990300, 29703900, 100000, 7},
      {"ids 48, 49 keep their extents", 48, 2100, 2970, 10, 7},
      {"unit 0 is refused", 0, 2100, 2970, 0, 19},
      {"huge extents do not overflow", 0, INT32_MAX, INT32_MAX, 1, 19},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, PaperIndexFromSize(c.id, c.width, c.length, c.unitsPerMm)) << c.what;
}

TEST(PaperMatching, DmPaperFromExtents) {
  struct Case {
    const char* what;
    std::int32_t width, length, expected;
  };
  const Case cases[] = {
      {"A4 rounded: first of equal areas", 2099, 2970, 9},
      {"A4 exact", 2100, 2970, 9},
      {"Letter exact", 2159, 2794, 1},
      {"Ledger is landscape", 4318, 2794, 4},
      {"the last row is scanned too", 4580, 3240, 118},
      {"zero", 0, 0, 256},
      {"negative width", -2100, 2970, 256},
      {"negative length", 2100, -2970, 256},
      {"nothing near", 1234, 5678, 256},
      {"huge", INT32_MAX, INT32_MAX, 256},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, DmPaperFromSize(c.width, c.length)) << c.what;
}

TEST(PaperMatching, PageSizeExtentConvertsAndRounds) {
  std::uint32_t w = 1, l = 1;
  ASSERT_TRUE(PageSizeExtent(7, 10, w, l));  // A4: 209903 x 297039 um
  EXPECT_EQ(2099u, w);
  EXPECT_EQ(2970u, l);
  ASSERT_TRUE(PageSizeExtent(7, 1000, w, l));
  EXPECT_EQ(209903u, w);
  EXPECT_EQ(297039u, l);
  ASSERT_TRUE(PageSizeExtent(7, 1, w, l));  // whole millimetres, rounded
  EXPECT_EQ(210u, w);
  EXPECT_EQ(297u, l);
  ASSERT_TRUE(PageSizeExtent(0, 10, w, l));  // Letter: 215900 x 279400, halves up
  EXPECT_EQ(2159u, w);
  EXPECT_EQ(2794u, l);
  ASSERT_TRUE(PageSizeExtent(12, 100, w, l));  // Postcard 100189 x 147814 in hundredths
  EXPECT_EQ(10019u, w);
  EXPECT_EQ(14781u, l);
  w = l = 42;
  EXPECT_FALSE(PageSizeExtent(19, 10, w, l));
  EXPECT_FALSE(PageSizeExtent(7, 0, w, l));
  EXPECT_EQ(42u, w);
  EXPECT_EQ(42u, l);
}

}  // namespace
