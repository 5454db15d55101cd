#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "MainDialogRules.h"

namespace {

TEST(VersionLine, FormatAndLanguage) {
  EXPECT_EQ(u"Version: 2.0.6", drux::VersionLine(u"Version: %s", u""));
  EXPECT_EQ(u"Version: 2.0.6 [Deutsch]", drux::VersionLine(u"Version: %s", u"Deutsch"));
  EXPECT_EQ(u"Fassung 2.0.6 [Deutsch]", drux::VersionLine(u"Fassung %s", u"Deutsch"));
  // A format the formatter refuses gives the built-in one.
  EXPECT_EQ(u"Version: 2.0.6", drux::VersionLine(u"Version %n", u""));
  EXPECT_EQ(u"100% 2.0.6", drux::VersionLine(u"100%% %s", u""));
}

TEST(Download, NothingWithoutAPrinterABeepWithoutNameOrFiles) {
  EXPECT_EQ(drux::DownloadAction::kNothing, drux::DecideDownload(false, u"", {}));
  EXPECT_EQ(drux::DownloadAction::kNothing, drux::DecideDownload(false, u"P", {u"a"}));
  EXPECT_EQ(drux::DownloadAction::kBeep, drux::DecideDownload(true, u"P", {}));
  EXPECT_EQ(drux::DownloadAction::kBeep, drux::DecideDownload(true, u"", {u"a"}));
  EXPECT_EQ(drux::DownloadAction::kPrint, drux::DecideDownload(true, u"P", {u"a"}));
}

TEST(BannerPalette, ColourCountNeverWraps) {
  EXPECT_EQ(2u, drux::BannerColourCount(0, 1));
  EXPECT_EQ(256u, drux::BannerColourCount(0, 8));
  EXPECT_EQ(uint64_t(1) << 32, drux::BannerColourCount(0, 32));
  EXPECT_EQ(UINT64_MAX, drux::BannerColourCount(0, 64));
  EXPECT_EQ(UINT64_MAX, drux::BannerColourCount(0, 0xFFFFFFFFu));
  EXPECT_EQ(16u, drux::BannerColourCount(16, 32));  // a given count wins
}

TEST(BannerPalette, OwnColoursUpTo256ElseHalftone) {
  struct Case {
    uint32_t used, bits;
    drux::BannerPalette expected;
  } cases[] = {
      {0, 1, drux::BannerPalette::kColourTable},  {0, 4, drux::BannerPalette::kColourTable},
      {0, 8, drux::BannerPalette::kColourTable},  {0, 16, drux::BannerPalette::kHalftone},
      {0, 24, drux::BannerPalette::kHalftone},    {0, 32, drux::BannerPalette::kHalftone},
      {256, 8, drux::BannerPalette::kColourTable}, {257, 8, drux::BannerPalette::kHalftone},
      {12, 8, drux::BannerPalette::kColourTable},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, drux::ChooseBannerPalette(c.used, c.bits)) << c.used << "/" << c.bits;
}

}  // namespace
