// The option descriptor tables: every list's keywords, counts and defaults, the
// structural rules all tables keep, the numeric and text descriptors, the preset lists
// and FindEntryByKeyword.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "OptionDescriptors.h"

namespace {

using qv::FindEntryByKeyword;
using qv::OptionDescriptor;
namespace desc = qv::desc;

struct ListExpectation {
  const OptionDescriptor* descriptor;
  const char* option;      // the option's own name
  const char* ppdKeyword;  // nullptr: none
  std::uint32_t entryCount;
  std::uint32_t defaultIndex;
  const char* keywords;    // entry keywords from index 0, '|' between them, "-" for none
};

const ListExpectation kLists[] = {
    {&desc::PageSize, "PageSize", "PageSize", 19, 7, "Letter|Legal|Tabloid|Foolscap|Statement|A3Wide|A3|A4|A5|B4|B5|B6|Postcard|EnvKaku0|EnvKaku1|EnvKaku2|EnvKaku3|EnvChou3|EnvChou4"},
    {&desc::Orientation, "Orientation", "TVOrientation", 2, 0, "Port|Land"},
    {&desc::InputSlot, "InputSlot", "InputSlot", 4, 0, "-|Standard|Tray-1|Tray-2"},
    {&desc::MediaType, "MediaType", "TVMediaType", 12, 0, "Auto|HC|HCmatted|Standard|PostcardIJ|Postcard|Standard1|HighQuality1|HighQuality2|Envelope|Card|CardIJ"},
    {&desc::Duplex, "Duplex", "TVDuplex", 3, 0, "Simplex|LongEdge|ShortEdge"},
    {&desc::Imposition, "Imposition", "TVImposition", 5, 0, "Simple|Booklet|Booklet2Fold|Nup|NupCopy"},
    {&desc::ImpositionDirection, "ImpositionDirection", "TVImpositionDirection", 2, 0, "Forward|Reverse"},
    {&desc::GutterAutoReducing, "GutterAutoReducing", "TVGutterAutoReducing", 2, 0, "False|True"},
    {&desc::NupPageOrder, "NupPageOrder", "TVNupPageOrder", 2, 0, "Horizontal|Vertical"},
    {&desc::NupPagesPerSheet, "NupPagesPerSheet", "TVNupPagesPerSheet", 4, 0, "2|4|8|16"},
    {&desc::TargetPaperSize, "TargetPaperSize", "TVTargetPaperSize", 20, 0, "Auto|Letter|Legal|Tabloid|Foolscap|Statement|A3Wide|A3|A4|A5|B4|B5|B6|Postcard|EnvKaku0|EnvKaku1|EnvKaku2|EnvKaku3|EnvChou3|EnvChou4"},
    {&desc::ScaleToFit, "ScaleToFit", "TVScaleToFit", 2, 1, "False|True"},
    {&desc::Rotate180, "Rotate180", "TVRotate180", 2, 0, "False|True"},
    {&desc::OutputTray, "OutputTray", "TVOutputTray", 2, 0, "Auto|Stacker"},
    {&desc::FinishSide, "FinishSide", "TVFinishSide", 3, 0, "Left|Top|Right"},
    {&desc::StapleMode, "StapleMode", "TVStapleMode", 5, 0, "NonStaple|2Staples|-|1StapleLeft|1StapleRight"},
    {&desc::PunchMode, "PunchMode", "TVPunchMode", 4, 0, "NonPunch|2Holes|3-4Holes|3-4Holes"},
    {&desc::FoldMode, "FoldMode", "TVFoldMode", 7, 0, "NonFold|Half|HalfStaple|3Outer|3Inner|Z-Fold|2Fold"},
    {&desc::FoldInOut, "FoldInOut", "TVFoldInOut", 2, 0, "Inside|Outside"},
    {&desc::ZFoldMixed, "ZFoldMixed", "TVZFoldMixed", 2, 0, "False|True"},
    {&desc::ZFoldRotateBig, "ZFoldRotateBig", "TVZFoldRotateBig", 2, 0, "False|True"},
    {&desc::OutputFace, "OutputFace", "TVOutputFace", 3, 0, "Auto|Faceup|Facedown"},
    {&desc::ReverseOrder, "ReverseOrder", "TVReverseOrder", 2, 0, "False|True"},
    {&desc::Collate, "Collate", "TVCollate", 2, 0, "True|False"},
    {&desc::JogMode, "JogMode", "TVJogMode", 2, 0, "False|True"},
    {&desc::JobSepSheet, "JobSepSheet", "TVJobSepSheet", 3, 0, "Off|BetweenJobs|BetweenSets"},
    {&desc::BookletSplitting, "BookletSplitting", "TVBookletSplitting", 17, 1, "Off|Auto|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15"},
    {&desc::HeaderPage, "HeaderPage", "TVHeaderPage", 2, 0, "False|True"},
    {&desc::FrontCover, "FrontCover", "TVFrontCover", 3, 0, "Off|Cover|Interposer"},
    {&desc::BackCover, "BackCover", "TVBackCover", 3, 0, "Off|Cover|Interposer"},
    {&desc::BookletCover, "BookletCover", "TVBookletCover", 4, 0, "Off|OnlyCover|ExceptCover|ArchiveExceptCover"},
    {&desc::Resolution, "Resolution", "Resolution", 2, 0, "300x300dpi|300x600dpi"},
    {&desc::OutputMode, "OutputMode", "TVOutputMode", 2, 0, "Color|Monochrome"},
    {&desc::Screening, "Screening", "TVScreening", 2, 0, "ErrorDiff|Raster"},
    {&desc::ScreenFreq, "ScreenFreq", "TVScreenFreq", 3, 1, "43|71|100"},
    {&desc::LineSmoothing, "LineSmoothing", "TVLineSmoothing", 3, 0, "Off|Low|High"},
    {&desc::GCDensity, "GCDensity", "TVGCDensity", 5, 2, "Lightest|Light|Standard|Dark|Darkest"},
    {&desc::GCContrast, "GCContrast", "TVGCContrast", 5, 2, "Lowest|Low|Standard|High|Highest"},
    {&desc::PrintDensity, "PrintDensity", "TVPrintDensity", 5, 2, "Level1|Level2|Level3|Level4|Level5"},
    {&desc::MaxDrops, "MaxDrops", "TVMaxDrops", 8, 0, "Auto|1Drop|2Drops|3Drops|4Drops|5Drops|6Drops|7Drops"},
    {&desc::RenderingIntent, "RenderingIntent", "TVRenderingIntent", 4, 2, "RelativeColorimetric|AbsoluteColorimetric|Perceptual|Saturation"},
    {&desc::RemapDeviceRGB, "RemapDeviceRGB", "TVRemapDeviceRGB", 2, 1, "False|True"},
    {&desc::RGBInputProfile, "RGBInputProfile", "TVRGBInputProfile", 10, 9, "DEA88382D899D5F6E573B432473AE138|2E54D10B392CAC47226469BA2EA95BD8|C2336F7797CE89CA59B34D9912612BF0|91CF26C58E07EDA724FDBF3EADCE4505|998FBB5D3614AC87E52ABF701C11462F|73C70FC8E24C5E94779DAB9D03DE2239|317695890D09F64FE3486AC9B7449879|09227759CDDEF937B4F0D438DCB4CCA0|3FC1FA7E516D462F72C1899948126AF7|1D3FDA2EDB4A89AB60A23C5F7C7D81DD"},
    {&desc::RemapDeviceCMYK, "RemapDeviceCMYK", "TVRemapDeviceCMYK", 3, 1, "Off|On|DeviceLink"},
    {&desc::CMYKInputProfile, "CMYKInputProfile", "TVCMYKInputProfile", 13, 3, "C1B9800A6A112FDE96F78295074F5C30|9825F3376E81C474F90A788D6B8EB180|4F7B286EA6461C4CD287CB2F3D331DBA|4CB167869183B59BBAD20FB90CCF3E0C|B4E3FBD4C04CC702A93EB806D974DBF2|4F0071959BF28519280837200D575A29|F8607E551233CEFDDA26D7D6BAAA2A4F|D27078D05DF4552F10CBA4FC7B858A44|12A17C21311F56318E5152F3B7838E45|B465D02C4E2EBCA02FD4771A1C8578B3|B4C2943253492B9E3F3DC39D4C7281F8|79D7E984EA3AC74EED7CC92BF6B22A0D|69FEF828ECE289B7196C9DDA6325DB3F"},
    {&desc::OutputProfile, "OutputProfile", "TVOutputProfile", 1, 0, "00000000000000000000000000000000"},
    {&desc::SeparateProfileTG, "SeparateProfileTG", "TVSeparateProfileTG", 2, 0, "False|True"},
    {&desc::TextOutputProfile, "TextOutputProfile", "TVTextOutputProfile", 1, 0, "00000000000000000000000000000000"},
    {&desc::UseSimulationProfile, "UseSimulationProfile", nullptr, 2, 0, "False|True"},
    {&desc::SimulationProfile, "SimulationProfile", nullptr, 1, 0, "00000000000000000000000000000000"},
    {&desc::FormPrintPattern, "FormPrintPattern", "TVFormPrintPattern", 6, 0, "Off|Single|DoubleLongEdge|DoubleShortEdge|SingleDoubleLongEdge|SingleDoubleShortEdge"},
    {&desc::FormDataPrintFace, "FormDataPrintFace", "TVFormDataPrintFace", 2, 1, "Front|Back"},
    {&desc::FormFrontBackSep, "FormFrontBackSep", "TVFormFrontBackSep", 2, 0, "False|True"},
    {&desc::Form1, "Form1", "TVForm1", 11, 0, "NoForm|Custom1|Custom2|Custom3|Custom4|Custom5|Custom6|Custom7|Custom8|Custom9|Custom10"},
    {&desc::Form2, "Form2", "TVForm2", 11, 0, "NoForm|Custom1|Custom2|Custom3|Custom4|Custom5|Custom6|Custom7|Custom8|Custom9|Custom10"},
    {&desc::PrependJob, "PrependJob", "TVPrepend", 11, 0, "NoForm|Custom1|Custom2|Custom3|Custom4|Custom5|Custom6|Custom7|Custom8|Custom9|Custom10"},
    {&desc::AppendJob, "AppendJob", "TVAppend", 11, 0, "NoForm|Custom1|Custom2|Custom3|Custom4|Custom5|Custom6|Custom7|Custom8|Custom9|Custom10"},
    {&desc::ShiftFrontBack, "ShiftFrontBack", "TVShiftFrontBack", 2, 0, "False|True"},
    {&desc::PrintPosition, "PrintPosition", "TVPrintPosition", 9, 4, "TopLeft|Top|TopRight|Left|Center|Right|BottomLeft|Bottom|BottomRight"},
    {&desc::OutputDev, "OutputDev", "TVOutputDev", 3, 0, "Print|PrintArchive|Archive"},
    {&desc::RedirectToQueue, "Redirect-To-Queue", nullptr, 3, 0, "|Normal|Hold"},
    {&desc::PrintAndHold, "Print-And-Hold", nullptr, 2, 0, "False|True"},
    {&desc::WaitAfterProof, "WaitAfterProof", "TVWaitAfterProof", 2, 0, "False|True"},
    {&desc::PrivatePrinting, "PrivatePrinting", nullptr, 2, 0, "False|True"},
    {&desc::Delegation, "Delegation", "TVDelegation", 2, 0, "False|True"},
    {&desc::SendWindowsMessage, "SendWindowsMessage", nullptr, 3, 0, "Off|OnError|Always"},
    {&desc::EmailNotification, "EmailNotification", nullptr, 3, 0, "Off|OnError|Always"},
    {&desc::JobSplitting, "JobSplitting", nullptr, 3, 0, "Off|ByPages|ByCopies"},
};

bool SameText(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return a == b;
  return std::strcmp(a, b) == 0;
}

std::string JoinedKeywords(const OptionDescriptor& d) {
  std::string joined;
  for (std::uint32_t i = 0; i < d.entryCount && i < qv::kMaxOptionEntries; ++i) {
    if (i != 0) joined += '|';
    joined += d.entries[i].keyword != nullptr ? d.entries[i].keyword : "-";
  }
  return joined;
}

bool IsHyphenated(const char* option) { return std::strchr(option, '-') != nullptr; }

TEST(OptionDescriptors, ListsHoldTheirKeywordsCountsAndDefaults) {
  EXPECT_EQ(68u, sizeof(kLists) / sizeof(kLists[0]));
  for (const ListExpectation& e : kLists) {
    SCOPED_TRACE(e.option);
    const OptionDescriptor& d = *e.descriptor;
    EXPECT_TRUE(SameText(e.ppdKeyword, d.ppdKeyword)) << (d.ppdKeyword ? d.ppdKeyword : "(none)");
    EXPECT_EQ(e.entryCount, d.entryCount);
    EXPECT_EQ(e.defaultIndex, d.defaultIndex);
    EXPECT_EQ(e.keywords, JoinedKeywords(d));
    // Only the two hyphenated job-ticket options travel as header comments, and they
    // have no procedure-set name.
    if (IsHyphenated(e.option)) {
      EXPECT_EQ(nullptr, d.optionName);
      EXPECT_TRUE(SameText(e.option, d.dscKey));
    } else {
      EXPECT_TRUE(SameText(e.option, d.optionName));
      EXPECT_EQ(nullptr, d.dscKey);
    }
  }
}

TEST(OptionDescriptors, EveryListKeepsTheEntryRules) {
  for (const ListExpectation& e : kLists) {
    SCOPED_TRACE(e.option);
    const OptionDescriptor& d = *e.descriptor;
    ASSERT_GE(d.entryCount, 1u);
    ASSERT_LE(d.entryCount, qv::kMaxOptionEntries);
    EXPECT_LT(d.defaultIndex, d.entryCount);
    EXPECT_NE(-1, d.displayId);
    for (std::uint32_t i = 0; i < d.entryCount; ++i) EXPECT_EQ(static_cast<std::int32_t>(i), d.entries[i].value);
    for (std::uint32_t i = d.entryCount; i < qv::kMaxOptionEntries; ++i) {
      const qv::OptionEntry& entry = d.entries[i];
      EXPECT_EQ(0, entry.value) << i;
      EXPECT_EQ(0, entry.display.captionId) << i;
      EXPECT_EQ(nullptr, entry.keyword) << i;
    }
  }
}

TEST(OptionDescriptors, BooleansAreFalseTrueWithoutCaptionsAndCollateIsTheOtherWayRound) {
  for (const ListExpectation& e : kLists) {
    if (std::strcmp(e.keywords, "False|True") != 0) continue;
    SCOPED_TRACE(e.option);
    EXPECT_EQ(-1, e.descriptor->entries[0].display.captionId);
    EXPECT_EQ(-1, e.descriptor->entries[1].display.captionId);
  }
  EXPECT_STREQ("True", desc::Collate.entries[0].keyword);
  EXPECT_STREQ("False", desc::Collate.entries[1].keyword);
  EXPECT_NE(-1, desc::Collate.entries[0].display.captionId);
}

TEST(OptionDescriptors, ProfileEntriesCarryDisplayNames) {
  EXPECT_EQ(std::u16string(u"sRGB IEC61966-2.1"), desc::RGBInputProfile.entries[9].display.name);
  EXPECT_EQ(std::u16string(u"Adobe RGB (1998)"), desc::RGBInputProfile.entries[0].display.name);
  EXPECT_EQ(std::u16string(u"Japan Color 2001 Coated"), desc::CMYKInputProfile.entries[3].display.name);
  EXPECT_EQ(std::u16string(u"U.S. Web Uncoated v2"), desc::CMYKInputProfile.entries[12].display.name);
  for (const OptionDescriptor* d : {&desc::OutputProfile, &desc::TextOutputProfile, &desc::SimulationProfile})
    EXPECT_EQ(std::u16string(u"Auto"), d->entries[0].display.name);
  // The paper entries of both paper lists share their captions.
  for (std::uint32_t i = 0; i < desc::PageSize.entryCount; ++i)
    EXPECT_EQ(desc::PageSize.entries[i].display.captionId, desc::TargetPaperSize.entries[i + 1].display.captionId);
  // Same keyword, different captions.
  EXPECT_NE(desc::PunchMode.entries[2].display.captionId, desc::PunchMode.entries[3].display.captionId);
}

struct NumericExpectation {
  const qv::NumericOptionDescriptor* descriptor;
  const char* option;
  const char* ppdKeyword;
  const char* optionName;
  bool caption;
  std::uint32_t numerator, denominator;
  std::int64_t minimum, maximum;  // as the validation compares them
  std::int32_t defaultValue;
};

constexpr std::int64_t kExtentMax = 4294966295LL;

const NumericExpectation kNumerics[] = {
    {&desc::PageSizeWidth, "PageSizeWidth", nullptr, nullptr, false, 1000, 1000, 0, kExtentMax, 0},
    {&desc::PageSizeHeight, "PageSizeHeight", nullptr, nullptr, false, 1000, 1000, 0, kExtentMax, 0},
    {&desc::GutterDistance, "GutterDistance", "TVGutterDistance", "GutterDistance", true, 1000, 2540, 0, 129032, 0},
    {&desc::TargetPaperSizeWidth, "TargetPaperSizeWidth", nullptr, "TargetPaperSizeWidth", false, 1000, 1000, 0, kExtentMax, 0},
    {&desc::TargetPaperSizeHeight, "TargetPaperSizeHeight", nullptr, "TargetPaperSizeHeight", false, 1000, 1000, 0, kExtentMax, 0},
    {&desc::Zoom, "Zoom", "TVZoom", "Zoom", true, 1, 1, 1, 1000, 100},
    {&desc::CyanGamma, "CyanGamma", "TVCyanGamma", "CyanGamma", true, 1, 1, 1, 300, 100},
    {&desc::MagentaGamma, "MagentaGamma", "TVMagentaGamma", "MagentaGamma", true, 1, 1, 1, 300, 100},
    {&desc::YellowGamma, "YellowGamma", "TVYellowGamma", "YellowGamma", true, 1, 1, 1, 300, 100},
    {&desc::BlackGamma, "BlackGamma", "TVBlackGamma", "BlackGamma", true, 1, 1, 1, 300, 100},
    {&desc::HorizontalShift, "HorizontalShift", "TVHorizontalShift", "HorizontalShift", true, 1000, 2540, -645159, 645160, 0},
    {&desc::VerticalShift, "VerticalShift", "TVVerticalShift", "VerticalShift", true, 1000, 2540, -645159, 645160, 0},
    {&desc::HoriShiftBack, "HoriShiftBack", "TVHoriShiftBack", "HoriShiftBack", true, 1000, 2540, -645159, 645160, 0},
    {&desc::VertiShiftBack, "VertiShiftBack", "TVVertiShiftBack", "VertiShiftBack", true, 1000, 2540, -645159, 645160, 0},
    {&desc::JobSplittingLimit, "JobSplittingLimit", nullptr, "JobSplittingLimit", true, 1, 1, 1, 9999, 3},
};

TEST(OptionDescriptors, NumericOptions) {
  for (const NumericExpectation& e : kNumerics) {
    SCOPED_TRACE(e.option);
    const qv::NumericOptionDescriptor& d = *e.descriptor;
    EXPECT_TRUE(SameText(e.ppdKeyword, d.ppdKeyword));
    EXPECT_TRUE(SameText(e.optionName, d.optionName));
    EXPECT_EQ(nullptr, d.dscKey);
    EXPECT_EQ(e.caption, d.displayId != -1);
    EXPECT_EQ(e.numerator, d.numerator);
    EXPECT_EQ(e.denominator, d.denominator);
    // The extents' maximum is meant unsigned, the shifts' minimum signed.
    const std::int64_t maximum = e.maximum > INT32_MAX ? static_cast<std::int64_t>(static_cast<std::uint32_t>(d.maximum))
                                                       : d.maximum;
    EXPECT_EQ(e.minimum, d.minimum);
    EXPECT_EQ(e.maximum, maximum);
    EXPECT_EQ(e.defaultValue, d.defaultValue);
  }
  // The limits scale exactly to 2 in and 10 in beyond the last presets.
  EXPECT_EQ(50800, 129032LL * desc::GutterDistance.numerator / desc::GutterDistance.denominator);
  EXPECT_EQ(254000, 645160LL * desc::HorizontalShift.numerator / desc::HorizontalShift.denominator);
}

template <std::size_t N>
void ExpectAscending(const std::int32_t (&list)[N]) {
  for (std::size_t i = 1; i < N; ++i) EXPECT_LT(list[i - 1], list[i]) << i;
}

TEST(OptionDescriptors, PresetLists) {
  ExpectAscending(desc::GutterDistancePresets);
  EXPECT_EQ(0, desc::GutterDistancePresets[0]);
  EXPECT_EQ(10000, desc::GutterDistancePresets[10]);
  EXPECT_EQ(50000, desc::GutterDistancePresets[14]);
  const std::int32_t zoom[] = {1, 18, 25, 35, 50, 71, 100, 141, 200, 283, 400, 566, 800, 1000};
  EXPECT_EQ(0, std::memcmp(zoom, desc::ZoomPresets, sizeof(zoom)));
  const std::int32_t gamma[] = {1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 130, 150, 170, 190, 210, 240, 270, 300};
  for (const std::int32_t* list : {desc::CyanGammaPresets, desc::MagentaGammaPresets, desc::YellowGammaPresets,
                                   desc::BlackGammaPresets})
    EXPECT_EQ(0, std::memcmp(gamma, list, sizeof(gamma)));
  for (const std::int32_t* list : {desc::HorizontalShiftPresets, desc::VerticalShiftPresets,
                                   desc::HoriShiftBackPresets, desc::VertiShiftBackPresets}) {
    EXPECT_EQ(0, std::memcmp(desc::HorizontalShiftPresets, list, sizeof(desc::HorizontalShiftPresets)));
  }
  ExpectAscending(desc::HorizontalShiftPresets);
  for (std::size_t i = 0; i < qv::desc::kShiftPresetCount; ++i)
    EXPECT_EQ(-desc::HorizontalShiftPresets[i], desc::HorizontalShiftPresets[qv::desc::kShiftPresetCount - 1 - i]);
  EXPECT_EQ(-250000, desc::HorizontalShiftPresets[0]);
  EXPECT_EQ(-120000, desc::HorizontalShiftPresets[6]);
  EXPECT_EQ(-100000, desc::HorizontalShiftPresets[7]);
  EXPECT_EQ(-10000, desc::HorizontalShiftPresets[16]);
  EXPECT_EQ(-750, desc::HorizontalShiftPresets[26]);
  EXPECT_EQ(0, desc::HorizontalShiftPresets[29]);
}

TEST(OptionDescriptors, TextOptions) {
  struct Row {
    const qv::TextOptionDescriptor* d;
    const char* optionName;
    const char* dscKey;
    bool caption;
    std::uint32_t maxLength;
  };
  const Row rows[] = {
      {&desc::QueueCodeWord, nullptr, "Queue-Code-Word", true, 8},
      {&desc::PrivatePrintingBoxNumber, "PrivatePrintingBoxNumber", nullptr, true, 8},
      {&desc::SendWindowsMessageTarget, "SendWindowsMessageTarget", nullptr, false, 31},
      {&desc::EmailNotificationAddress, "EmailNotificationAddress", nullptr, true, 127},
      {&desc::JobComment, nullptr, "Job-Comment", true, 511},
  };
  for (const Row& r : rows) {
    EXPECT_TRUE(SameText(r.optionName, r.d->optionName));
    EXPECT_TRUE(SameText(r.dscKey, r.d->dscKey));
    EXPECT_EQ(r.caption, r.d->displayId != -1);
    EXPECT_EQ(r.maxLength, r.d->maxLength);
    ASSERT_NE(nullptr, r.d->defaultText);
    EXPECT_STREQ("", r.d->defaultText);
  }
}

TEST(FindEntryByKeyword, MatchesExactlyElseFallsBackToTheDefault) {
  const char* const srgb = "1D3FDA2EDB4A89AB60A23C5F7C7D81DD";
  const char* const japan = "4CB167869183B59BBAD20FB90CCF3E0C";
  const char* const zeros = "00000000000000000000000000000000";
  struct Case {
    const OptionDescriptor* d;
    const char* text;
    const char* keyword;
    bool matched;
  };
  const Case cases[] = {
      {&desc::RGBInputProfile, "1D3FDA2EDB4A89AB60A23C5F7C7D81DD", srgb, true},
      {&desc::RGBInputProfile, "1d3fda2edb4a89ab60a23c5f7c7d81dd", srgb, false},  // case matters
      {&desc::RGBInputProfile, "DEA88382D899D5F6E573B432473AE138", "DEA88382D899D5F6E573B432473AE138", true},
      {&desc::RGBInputProfile, "1D3FDA2EDB4A89AB60A23C5F7C7D81D", srgb, false},   // prefix only
      {&desc::CMYKInputProfile, "", japan, false},
      {&desc::CMYKInputProfile, "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", japan, false},
      {&desc::CMYKInputProfile, nullptr, japan, false},
      {&desc::CMYKInputProfile, "69FEF828ECE289B7196C9DDA6325DB3F", "69FEF828ECE289B7196C9DDA6325DB3F", true},
      {&desc::OutputProfile, "00000000000000000000000000000001", zeros, false},
      {&desc::OutputProfile, zeros, zeros, true},
      {&desc::PunchMode, "3-4Holes", "3-4Holes", true},
      {&desc::RedirectToQueue, "", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "(none)");
    const qv::KeywordMatch m = FindEntryByKeyword(*c.d, c.text);
    EXPECT_STREQ(c.keyword, m.keyword);
    EXPECT_EQ(c.matched, m.matched);
  }
}

}  // namespace
