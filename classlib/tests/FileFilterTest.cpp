// The file dialog's filter block: whatever the text, the block the system reads ends
// in two NULs and holds only complete description/pattern pairs.
#include <gtest/gtest.h>

#include <string>

#include "FileFilter.h"

namespace {

using namespace std::string_literals;

struct FilterCase {
  const char* what;
  std::u16string filter;
  std::u16string block;
};

class FilterBlock : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterBlock, HoldsTheCompletePairsAndEndsInTwoNuls) {
  const FilterCase& c = GetParam();
  const std::u16string block = FilterToDialogBlock(c.filter);
  EXPECT_EQ(c.block, block) << c.what;
  if (!block.empty()) {
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(u'\0', block[block.size() - 1]);
    EXPECT_EQ(u'\0', block[block.size() - 2]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterBlock,
    ::testing::Values(
        FilterCase{"closed by ||", u"PS (*.ps)|*.ps|All|*.*||", u"PS (*.ps)\0*.ps\0All\0*.*\0\0"s},
        FilterCase{"translation without the closing bars", u"PS|*.ps|Alle|*.*",
                   u"PS\0*.ps\0Alle\0*.*\0\0"s},
        FilterCase{"one closing bar", u"Alle|*.*|", u"Alle\0*.*\0\0"s},
        FilterCase{"a description without patterns is left out", u"PS|*.ps|Alle",
                   u"PS\0*.ps\0\0"s},
        FilterCase{"only a description", u"Alle Dateien", u""},
        FilterCase{"empty", u"", u""},
        FilterCase{"only bars", u"||", u""},
        FilterCase{"an empty part ends the filter", u"PS|*.ps||junk|*.j||", u"PS\0*.ps\0\0"s},
        FilterCase{"the pattern lists stay whole", u"TIFF|*.tif;*.tiff||",
                   u"TIFF\0*.tif;*.tiff\0\0"s}));

TEST(FilterBlock, TheToolsDefaultFilterGivesItsSixPairs) {
  const std::u16string filter =
      u"Printable Files (*.ps, *.prn, *.tif, *.pdf)|*.ps; *.prn; *.tif; *.tiff; *.pdf|"
      u"PostScript Files (*.ps)|*.ps|PDF Files (*.pdf)|*.pdf|TIFF Files (*.tif)|*.tif;*.tiff|"
      u"Print Files (*.prn)|*.prn|All Files (*.*)|*.*||";
  const std::u16string block = FilterToDialogBlock(filter);
  size_t nuls = 0;
  for (char16_t c : block) nuls += c == u'\0';
  EXPECT_EQ(13u, nuls);  // twelve parts and the end
  std::u16string expected = filter.substr(0, filter.size() - 1);
  for (char16_t& c : expected) c = c == u'|' ? u'\0' : c;
  EXPECT_EQ(expected + u'\0', block);
}

}  // namespace
