// The PPD feature selections of a record, their buffer for the core driver, and the
// preset snapping.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "FeatureOptions.h"
#include "OptionDescriptors.h"
#include "PrivateDevmode.h"

namespace {

using qv::PrivateDevmodeBody;
using qv::ui::BuildFeatureOptions;
using qv::ui::FeatureOptionList;
using qv::ui::SnapToList;

// The 68 feature keywords in the order the driver receives them.
const char* const kFeatures[] = {
    "TVOrientation", "TVMediaType", "TVDuplex", "TVImposition", "TVImpositionDirection",
    "TVGutterDistance", "TVGutterAutoReducing", "TVNupPageOrder", "TVNupPagesPerSheet",
    "TVTargetPaperSize", "TVScaleToFit", "TVZoom", "TVRotate180", "TVOutputTray",
    "TVFinishSide", "TVStapleMode", "TVPunchMode", "TVFoldMode", "TVFoldInOut", "TVZFoldMixed",
    "TVZFoldRotateBig", "TVOutputFace", "TVReverseOrder", "TVCollate", "TVJogMode",
    "TVJobSepSheet", "TVBookletSplitting", "TVHeaderPage", "TVFrontCover", "TVBackCover",
    "TVBookletCover", "Resolution", "TVOutputMode", "TVScreening", "TVScreenFreq",
    "TVLineSmoothing", "TVGCDensity", "TVGCContrast", "TVPrintDensity", "TVMaxDrops",
    "TVCyanGamma", "TVMagentaGamma", "TVYellowGamma", "TVBlackGamma", "TVRenderingIntent",
    "TVRemapDeviceRGB", "TVRGBInputProfile", "TVRemapDeviceCMYK", "TVCMYKInputProfile",
    "TVOutputProfile", "TVSeparateProfileTG", "TVTextOutputProfile", "TVFormPrintPattern",
    "TVFormDataPrintFace", "TVFormFrontBackSep", "TVForm1", "TVForm2", "TVPrepend", "TVAppend",
    "TVHorizontalShift", "TVVerticalShift", "TVShiftFrontBack", "TVHoriShiftBack",
    "TVVertiShiftBack", "TVPrintPosition", "TVOutputDev", "TVWaitAfterProof", "TVDelegation"};

// The option keywords of a record holding every default.
const char* const kDefaultOptions[] = {
    "Port", "Auto", "Simplex", "Simple", "Forward", "0", "False", "Horizontal", "2", "Auto",
    "True", "100", "False", "Auto", "Left", "NonStaple", "NonPunch", "NonFold", "Inside",
    "False", "False", "Auto", "False", "True", "False", "Off", "Auto", "False", "Off", "Off",
    "Off", "300x300dpi", "Color", "ErrorDiff", "71", "Off", "Standard", "Standard", "Level3",
    "Auto", "100", "100", "100", "100", "Perceptual", "True",
    "1D3FDA2EDB4A89AB60A23C5F7C7D81DD", "On", "4CB167869183B59BBAD20FB90CCF3E0C",
    "00000000000000000000000000000000", "False", "00000000000000000000000000000000", "Off",
    "Back", "False", "NoForm", "NoForm", "NoForm", "NoForm", "0", "0", "False", "0", "0",
    "Center", "Print", "False", "False"};

static_assert(sizeof(kFeatures) / sizeof(kFeatures[0]) == 68, "68 features");
static_assert(sizeof(kDefaultOptions) / sizeof(kDefaultOptions[0]) == 68, "68 options");

PrivateDevmodeBody DefaultRecord() { return qv::MakeDefaultPrivateDevmode(7); }

std::string Bytes(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string out;
  for (const auto& p : pairs) {
    out += p.first;
    out.push_back('\0');
    out += p.second;
    out.push_back('\0');
  }
  out.push_back('\0');
  return out;
}

std::string BufferOf(const FeatureOptionList& list) {
  std::string buffer(qv::ui::SelectionBufferSize(list), '\x55');
  EXPECT_TRUE(qv::ui::WriteSelectionBuffer(list, buffer.data(), buffer.size()));
  return buffer;
}

TEST(FeatureOptions, DefaultRecordGivesThe68PairsInOrder) {
  FeatureOptionList list;
  list.push_back({"stale", "pair"});  // replaced, not appended to
  BuildFeatureOptions(DefaultRecord(), &list);
  ASSERT_EQ(68u, list.size());
  for (std::size_t i = 0; i < 68; ++i) {
    EXPECT_EQ(kFeatures[i], list[i].feature) << i;
    EXPECT_EQ(kDefaultOptions[i], list[i].option) << i;
  }
}

TEST(FeatureOptions, DefaultBufferByteForByte) {
  FeatureOptionList list;
  BuildFeatureOptions(DefaultRecord(), &list);
  std::vector<std::pair<std::string, std::string>> pairs;
  std::size_t expectedSize = 1;
  for (std::size_t i = 0; i < 68; ++i) {
    pairs.emplace_back(kFeatures[i], kDefaultOptions[i]);
    expectedSize += std::strlen(kFeatures[i]) + std::strlen(kDefaultOptions[i]) + 2;
  }
  const std::string buffer = BufferOf(list);
  EXPECT_EQ(expectedSize, buffer.size());
  EXPECT_EQ(Bytes(pairs), buffer);
  const std::string head("TVOrientation\0Port\0", 19);
  const std::string tail("TVDelegation\0False\0\0", 20);
  EXPECT_EQ(head, buffer.substr(0, head.size()));
  EXPECT_EQ(tail, buffer.substr(buffer.size() - tail.size()));
}

TEST(FeatureOptions, TwoPairBufferIs37Bytes) {
  const FeatureOptionList list = {{"TVOrientation", "Port"}, {"TVMediaType", "Auto"}};
  EXPECT_EQ(37u, qv::ui::SelectionBufferSize(list));
  EXPECT_EQ(std::string("TVOrientation\0Port\0TVMediaType\0Auto\0\0", 37), BufferOf(list));
  EXPECT_EQ(1u, qv::ui::SelectionBufferSize(FeatureOptionList{}));
}

TEST(FeatureOptions, BufferOfTheWrongSizeIsNotWritten) {
  const FeatureOptionList list = {{"TVOrientation", "Port"}};
  std::string buffer(40, 'x');
  EXPECT_FALSE(qv::ui::WriteSelectionBuffer(list, buffer.data(), 19));   // one byte short
  EXPECT_FALSE(qv::ui::WriteSelectionBuffer(list, buffer.data(), 40));
  EXPECT_FALSE(qv::ui::WriteSelectionBuffer(list, nullptr, 20));
  EXPECT_EQ(std::string(40, 'x'), buffer);
}

// One field changed from the defaults; the pair of that feature, every other pair as
// with the defaults.
struct EdgeCase {
  const char* name;
  std::function<void(PrivateDevmodeBody&)> change;
  const char* feature;
  const char* option;
};

void SetText(char* field, const char* text) {
  std::memset(field, 0, qv::kProfileIdLength + 1);
  std::memcpy(field, text, std::strlen(text));
}

const EdgeCase kEdgeCases[] = {
    {"custom target paper", [](PrivateDevmodeBody& b) { b.TargetPaperSize = 20; }, "TVTargetPaperSize", "Auto"},
    {"collate out of range", [](PrivateDevmodeBody& b) { b.Collate = 5; }, "TVCollate", "True"},
    {"collate 1", [](PrivateDevmodeBody& b) { b.Collate = 1; }, "TVCollate", "False"},
    {"boolean 2", [](PrivateDevmodeBody& b) { b.JogMode = 2; }, "TVJogMode", "True"},
    {"boolean 255", [](PrivateDevmodeBody& b) { b.GutterAutoReducing = 255; }, "TVGutterAutoReducing", "True"},
    {"boolean default 1, stored 0", [](PrivateDevmodeBody& b) { b.ScaleToFit = 0; }, "TVScaleToFit", "False"},
    {"orientation out of range", [](PrivateDevmodeBody& b) { b.Orientation = 200; }, "TVOrientation", "Port"},
    {"landscape", [](PrivateDevmodeBody& b) { b.Orientation = 1; }, "TVOrientation", "Land"},
    {"one staple, right side", [](PrivateDevmodeBody& b) { b.StapleMode = 2; b.FinishSide = 2; }, "TVStapleMode", "1StapleRight"},
    {"one staple, side 0", [](PrivateDevmodeBody& b) { b.StapleMode = 2; b.FinishSide = 0; }, "TVStapleMode", "1StapleLeft"},
    {"one staple, side 1", [](PrivateDevmodeBody& b) { b.StapleMode = 2; b.FinishSide = 1; }, "TVStapleMode", "1StapleLeft"},
    {"one staple, side out of range", [](PrivateDevmodeBody& b) { b.StapleMode = 2; b.FinishSide = 9; }, "TVStapleMode", "1StapleLeft"},
    {"staple left whatever the side", [](PrivateDevmodeBody& b) { b.StapleMode = 3; b.FinishSide = 2; }, "TVStapleMode", "1StapleLeft"},
    {"staple right", [](PrivateDevmodeBody& b) { b.StapleMode = 4; }, "TVStapleMode", "1StapleRight"},
    {"two staples", [](PrivateDevmodeBody& b) { b.StapleMode = 1; b.FinishSide = 2; }, "TVStapleMode", "2Staples"},
    {"staple 5", [](PrivateDevmodeBody& b) { b.StapleMode = 5; }, "TVStapleMode", "NonStaple"},
    {"staple 7", [](PrivateDevmodeBody& b) { b.StapleMode = 7; }, "TVStapleMode", "NonStaple"},
    {"punch 2", [](PrivateDevmodeBody& b) { b.PunchMode = 2; }, "TVPunchMode", "3-4Holes"},
    {"punch 3", [](PrivateDevmodeBody& b) { b.PunchMode = 3; }, "TVPunchMode", "3-4Holes"},
    {"form value past the list", [](PrivateDevmodeBody& b) { b.Form1 = 11; }, "TVForm1", "NoForm"},
    {"32-bit list field at its top", [](PrivateDevmodeBody& b) { b.AppendJob = 0xFFFFFFFFu; }, "TVAppend", "NoForm"},
    {"RGB profile not in the list", [](PrivateDevmodeBody& b) { SetText(b.RGBInputProfile, "0123456789ABCDEF0123456789ABCDEF"); }, "TVRGBInputProfile", "1D3FDA2EDB4A89AB60A23C5F7C7D81DD"},
    {"RGB profile empty", [](PrivateDevmodeBody& b) { SetText(b.RGBInputProfile, ""); }, "TVRGBInputProfile", "1D3FDA2EDB4A89AB60A23C5F7C7D81DD"},
    {"RGB profile unterminated", [](PrivateDevmodeBody& b) { std::memset(b.RGBInputProfile, 'A', sizeof b.RGBInputProfile); }, "TVRGBInputProfile", "1D3FDA2EDB4A89AB60A23C5F7C7D81DD"},
    {"CMYK profile in the list", [](PrivateDevmodeBody& b) { SetText(b.CMYKInputProfile, "4CB167869183B59BBAD20FB90CCF3E0C"); }, "TVCMYKInputProfile", "4CB167869183B59BBAD20FB90CCF3E0C"},
    {"output profile any id", [](PrivateDevmodeBody& b) { SetText(b.OutputProfile, "1D3FDA2EDB4A89AB60A23C5F7C7D81DD"); }, "TVOutputProfile", "00000000000000000000000000000000"},
    {"text output profile unterminated", [](PrivateDevmodeBody& b) { std::memset(b.TextOutputProfile, '0', sizeof b.TextOutputProfile); }, "TVTextOutputProfile", "00000000000000000000000000000000"},
    {"gutter 2540", [](PrivateDevmodeBody& b) { b.GutterDistance = 2540; }, "TVGutterDistance", "1000"},
    {"gutter 3810: 1500, a tie", [](PrivateDevmodeBody& b) { b.GutterDistance = 3810; }, "TVGutterDistance", "2000"},
    {"gutter 3809: 1499", [](PrivateDevmodeBody& b) { b.GutterDistance = 3809; }, "TVGutterDistance", "1000"},
    {"gutter 1270: 500, a tie", [](PrivateDevmodeBody& b) { b.GutterDistance = 1270; }, "TVGutterDistance", "1000"},
    {"gutter 129032: above the last", [](PrivateDevmodeBody& b) { b.GutterDistance = 129032; }, "TVGutterDistance", "50000"},
    {"gutter unvalidated top", [](PrivateDevmodeBody& b) { b.GutterDistance = 0xFFFFFFFFu; }, "TVGutterDistance", "50000"},
    {"shift -3810: -1500, a tie", [](PrivateDevmodeBody& b) { b.HorizontalShift = -3810; }, "TVHorizontalShift", "-1000"},
    {"shift -3811 truncates to -1500", [](PrivateDevmodeBody& b) { b.HorizontalShift = -3811; }, "TVHorizontalShift", "-1000"},
    {"shift -645159", [](PrivateDevmodeBody& b) { b.HorizontalShift = -645159; }, "TVHorizontalShift", "-250000"},
    {"shift 645160", [](PrivateDevmodeBody& b) { b.HorizontalShift = 645160; }, "TVHorizontalShift", "250000"},
    {"shift 635", [](PrivateDevmodeBody& b) { b.HorizontalShift = 635; }, "TVHorizontalShift", "250"},
    {"shift -634: -249 truncated", [](PrivateDevmodeBody& b) { b.HorizontalShift = -634; }, "TVHorizontalShift", "-250"},
    {"shift unvalidated lowest", [](PrivateDevmodeBody& b) { b.HorizontalShift = INT32_MIN; }, "TVHorizontalShift", "-250000"},
    {"vertical shift", [](PrivateDevmodeBody& b) { b.VerticalShift = -3811; }, "TVVerticalShift", "-1000"},
    {"back horizontal shift", [](PrivateDevmodeBody& b) { b.HoriShiftBack = 645160; }, "TVHoriShiftBack", "250000"},
    {"back vertical shift", [](PrivateDevmodeBody& b) { b.VertiShiftBack = 635; }, "TVVertiShiftBack", "250"},
    {"zoom 30, a tie", [](PrivateDevmodeBody& b) { b.Zoom = 30; }, "TVZoom", "35"},
    {"zoom 21", [](PrivateDevmodeBody& b) { b.Zoom = 21; }, "TVZoom", "18"},
    {"zoom 22", [](PrivateDevmodeBody& b) { b.Zoom = 22; }, "TVZoom", "25"},
    {"zoom 9", [](PrivateDevmodeBody& b) { b.Zoom = 9; }, "TVZoom", "1"},
    {"zoom 10", [](PrivateDevmodeBody& b) { b.Zoom = 10; }, "TVZoom", "18"},
    {"zoom 1000", [](PrivateDevmodeBody& b) { b.Zoom = 1000; }, "TVZoom", "1000"},
    {"zoom 0", [](PrivateDevmodeBody& b) { b.Zoom = 0; }, "TVZoom", "1"},
    {"zoom 65535", [](PrivateDevmodeBody& b) { b.Zoom = 65535; }, "TVZoom", "1000"},
    {"cyan gamma 120, a tie", [](PrivateDevmodeBody& b) { b.CyanGamma = 120; }, "TVCyanGamma", "130"},
    {"magenta gamma 115", [](PrivateDevmodeBody& b) { b.MagentaGamma = 115; }, "TVMagentaGamma", "110"},
    {"yellow gamma 5", [](PrivateDevmodeBody& b) { b.YellowGamma = 5; }, "TVYellowGamma", "1"},
    {"black gamma 6", [](PrivateDevmodeBody& b) { b.BlackGamma = 6; }, "TVBlackGamma", "10"},
};

TEST(FeatureOptions, EdgeCases) {
  for (const EdgeCase& c : kEdgeCases) {
    SCOPED_TRACE(c.name);
    PrivateDevmodeBody record = DefaultRecord();
    c.change(record);
    const PrivateDevmodeBody before = record;
    FeatureOptionList list;
    BuildFeatureOptions(record, &list);
    EXPECT_EQ(0, std::memcmp(&before, &record, sizeof record));  // the record is only read
    ASSERT_EQ(68u, list.size());
    int found = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(kFeatures[i], list[i].feature);
      if (list[i].feature == c.feature) {
        ++found;
        EXPECT_EQ(c.option, list[i].option);
      } else if (list[i].feature != "TVFinishSide") {
        EXPECT_EQ(kDefaultOptions[i], list[i].option) << list[i].feature;
      }
    }
    EXPECT_EQ(1, found);
  }
}

// ---- SendFeatureOptions: the buffer handed to the core driver ----------------------

struct RecordingSink : qv::ui::FeatureOptionSink {
  std::vector<std::string> calls;
  void SetOptions(const char* buffer, std::uint32_t size) override {
    calls.emplace_back(buffer, size);
  }
};

TEST(FeatureOptions, SendHandsTheWholeBufferOverOnce) {
  RecordingSink sink;
  const PrivateDevmodeBody record = DefaultRecord();
  EXPECT_TRUE(qv::ui::SendFeatureOptions(record, sink));
  ASSERT_EQ(1u, sink.calls.size());
  FeatureOptionList list;
  BuildFeatureOptions(record, &list);
  EXPECT_EQ(BufferOf(list), sink.calls[0]);
}

int g_allocations = 0;
void* FailingAllocate(std::size_t) {
  ++g_allocations;
  return nullptr;
}
void NeverRelease(void*) { ADD_FAILURE() << "nothing was allocated"; }

TEST(FeatureOptions, NoMemoryForTheBufferSendsNothing) {
  RecordingSink sink;
  g_allocations = 0;
  EXPECT_FALSE(qv::ui::SendFeatureOptions(DefaultRecord(), sink,
                                          qv::ui::SelectionMemory{&FailingAllocate, &NeverRelease}));
  EXPECT_EQ(1, g_allocations);
  EXPECT_TRUE(sink.calls.empty());
}

struct ThrowingSink : qv::ui::FeatureOptionSink {
  void SetOptions(const char*, std::uint32_t) override { throw std::bad_alloc(); }
};

TEST(FeatureOptions, NoExceptionLeavesSend) {
  ThrowingSink sink;
  EXPECT_FALSE(qv::ui::SendFeatureOptions(DefaultRecord(), sink));
}

// ---- SnapToList ---------------------------------------------------------------------

struct SnapCase {
  std::int64_t value;
  std::int64_t expected;
};

TEST(SnapToList, Unsigned32) {
  const std::int32_t* list = qv::desc::GutterDistancePresets;
  const std::size_t n = qv::desc::kGutterDistancePresetCount;
  const SnapCase cases[] = {{0, 0},          {499, 0},         {500, 1000},     {1000, 1000},
                            {1499, 1000},    {1500, 2000},     {14999, 10000},  {15000, 20000},
                            {50000, 50000},  {50001, 50000},   {0x7FFFFFFF, 50000},
                            {0x80000000, 50000},  // unsigned: far above, not negative
                            {0xFFFFFFFF, 50000}};
  for (const SnapCase& c : cases) {
    EXPECT_EQ(std::uint32_t(c.expected), SnapToList(list, n, std::uint32_t(c.value))) << c.value;
  }
}

TEST(SnapToList, Unsigned16ComparedAs32Bit) {
  const std::int32_t* list = qv::desc::ZoomPresets;
  const std::size_t n = qv::desc::kZoomPresetCount;
  const SnapCase cases[] = {{0, 1},     {1, 1},     {9, 1},      {10, 18},   {21, 18},
                            {22, 25},   {30, 35},   {999, 1000}, {1000, 1000}, {65535, 1000}};
  for (const SnapCase& c : cases) {
    EXPECT_EQ(std::uint32_t(c.expected), SnapToList(list, n, std::uint16_t(c.value))) << c.value;
  }
  // A list member above 16 bits is reachable: the comparison is 32-bit.
  const std::int32_t wide[] = {100, 70000};
  EXPECT_EQ(70000u, SnapToList(wide, 2, std::uint16_t(65535)));
}

TEST(SnapToList, Signed32) {
  const std::int32_t* list = qv::desc::HorizontalShiftPresets;
  const std::size_t n = qv::desc::kShiftPresetCount;
  const SnapCase cases[] = {{INT32_MIN, -250000}, {-253999, -250000}, {-250000, -250000},
                            {-237500, -225000},   {-1500, -1000},     {-125, 0},
                            {-126, -250},         {0, 0},             {125, 250},
                            {124, 0},             {254000, 250000},   {INT32_MAX, 250000}};
  for (const SnapCase& c : cases) {
    EXPECT_EQ(std::int32_t(c.expected), SnapToList(list, n, std::int32_t(c.value))) << c.value;
  }
}

TEST(SnapToList, DifferencesDoNotOverflow) {
  const std::int32_t full[] = {INT32_MIN, INT32_MAX};
  EXPECT_EQ(INT32_MAX, SnapToList(full, 2, std::int32_t(0)));   // 2^31 below, 2^31 - 1 above
  EXPECT_EQ(INT32_MIN, SnapToList(full, 2, std::int32_t(-1)));  // 2^31 - 1 below, 2^31 above
  const std::int32_t top[] = {0, -1};  // read unsigned: 0 and 4294967295
  EXPECT_EQ(0xFFFFFFFFu, SnapToList(top, 2, std::uint32_t(0x80000000u)));
  EXPECT_EQ(0u, SnapToList(top, 2, std::uint32_t(0x7FFFFFFFu)));
}

TEST(SnapToList, ShortLists) {
  const std::int32_t two[] = {10, 20};
  const SnapCase cases[] = {{5, 10}, {10, 10}, {14, 10}, {15, 20}, {20, 20}, {25, 20}};
  for (const SnapCase& c : cases) {
    EXPECT_EQ(std::uint32_t(c.expected), SnapToList(two, 2, std::uint32_t(c.value))) << c.value;
    EXPECT_EQ(std::int32_t(c.expected), SnapToList(two, 2, std::int32_t(c.value))) << c.value;
  }
  const std::int32_t one[] = {7};
  EXPECT_EQ(7u, SnapToList(one, 1, std::uint32_t(100)));
  EXPECT_EQ(100u, SnapToList(nullptr, 5, std::uint32_t(100)));
  EXPECT_EQ(-3, SnapToList(two, 0, std::int32_t(-3)));
}

}  // namespace
