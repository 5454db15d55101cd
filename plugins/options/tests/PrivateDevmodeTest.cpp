// The private DEVMODE body: defaults, clearing and field-by-field repair. The tables
// here address fields by byte offset and width, independently of the struct.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "LocaleQuery.h"
#include "PrivateDevmode.h"
#include "TestLocale.h"

namespace {

using qv::PrivateDevmodeBody;

// Little-endian field access by offset.
std::uint64_t Get(const PrivateDevmodeBody& b, std::size_t offset, std::size_t width) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(&b) + offset;
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < width; ++i) v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
  return v;
}

void Put(PrivateDevmodeBody& b, std::size_t offset, std::size_t width, std::uint64_t v) {
  unsigned char* p = reinterpret_cast<unsigned char*>(&b) + offset;
  for (std::size_t i = 0; i < width; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::string Text(const PrivateDevmodeBody& b, std::size_t offset, std::size_t width) {
  const char* p = reinterpret_cast<const char*>(&b) + offset;
  std::size_t n = 0;
  while (n < width && p[n] != 0) ++n;
  return std::string(p, n);
}

bool AllZero(const PrivateDevmodeBody& b, std::size_t offset, std::size_t width) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(&b) + offset;
  for (std::size_t i = 0; i < width; ++i)
    if (p[i] != 0) return false;
  return true;
}

PrivateDevmodeBody Defaults() {
  PrivateDevmodeBody b;
  qv::DefaultPrivateDevmode(&b);
  return b;
}

bool Same(const PrivateDevmodeBody& a, const PrivateDevmodeBody& b) { return std::memcmp(&a, &b, sizeof(a)) == 0; }

class PrivateDevmodeTest : public ::testing::Test {
 protected:
  void TearDown() override { qvtest::ResetFakeLocale(); }
};

// Every body field's default (the locale paper is A4): offset, width, number, or text
// (a text field's remaining bytes are zero).
struct DefaultField {
  std::size_t offset, width;
  std::uint64_t value;
  const char* text;
};
const DefaultField kDefaults[] = {
    {0, 1, 7, nullptr},  // PageSize
    {1, 4, 0, nullptr},  // PageSizeWidth
    {5, 4, 0, nullptr},  // PageSizeHeight
    {9, 1, 0, nullptr},  // Orientation
    {10, 1, 0, nullptr},  // InputSlot
    {11, 1, 0, nullptr},  // MediaType
    {12, 1, 0, nullptr},  // Duplex
    {13, 1, 0, nullptr},  // Imposition
    {14, 1, 0, nullptr},  // ImpositionDirection
    {15, 4, 0, nullptr},  // GutterDistance
    {19, 1, 0, nullptr},  // GutterAutoReducing
    {20, 1, 0, nullptr},  // NupPageOrder
    {21, 1, 0, nullptr},  // NupPagesPerSheet
    {22, 1, 0, nullptr},  // TargetPaperSize
    {23, 4, 0, nullptr},  // TargetPaperSizeWidth
    {27, 4, 0, nullptr},  // TargetPaperSizeHeight
    {31, 1, 1, nullptr},  // ScaleToFit
    {32, 2, 100, nullptr},  // Zoom
    {34, 1, 0, nullptr},  // Rotate180
    {35, 1, 0, nullptr},  // OutputTray
    {36, 1, 0, nullptr},  // FinishSide
    {37, 1, 0, nullptr},  // StapleMode
    {38, 1, 0, nullptr},  // PunchMode
    {39, 1, 0, nullptr},  // FoldMode
    {40, 1, 0, nullptr},  // FoldInOut
    {41, 1, 0, nullptr},  // ZFoldMixed
    {42, 1, 0, nullptr},  // ZFoldRotateBig
    {43, 1, 0, nullptr},  // OutputFace
    {44, 1, 0, nullptr},  // ReverseOrder
    {45, 1, 0, nullptr},  // Collate
    {46, 1, 0, nullptr},  // JogMode
    {47, 1, 0, nullptr},  // JobSepSheet
    {48, 1, 1, nullptr},  // BookletSplitting
    {49, 1, 0, nullptr},  // HeaderPage
    {50, 1, 0, nullptr},  // FrontCover
    {51, 1, 0, nullptr},  // BackCover
    {52, 1, 0, nullptr},  // BookletCover
    {53, 1, 0, nullptr},  // Resolution
    {54, 1, 0, nullptr},  // OutputMode
    {55, 1, 0, nullptr},  // Screening
    {56, 1, 1, nullptr},  // ScreenFreq
    {57, 1, 0, nullptr},  // LineSmoothing
    {58, 1, 2, nullptr},  // GCDensity
    {59, 1, 2, nullptr},  // GCContrast
    {60, 1, 2, nullptr},  // PrintDensity
    {61, 1, 0, nullptr},  // MaxDrops
    {62, 2, 100, nullptr},  // CyanGamma
    {64, 2, 100, nullptr},  // MagentaGamma
    {66, 2, 100, nullptr},  // YellowGamma
    {68, 2, 100, nullptr},  // BlackGamma
    {70, 1, 2, nullptr},  // RenderingIntent
    {71, 1, 1, nullptr},  // RemapDeviceRGB
    {72, 33, 0, "1D3FDA2EDB4A89AB60A23C5F7C7D81DD"},  // RGBInputProfile
    {105, 1, 1, nullptr},  // RemapDeviceCMYK
    {106, 33, 0, "4CB167869183B59BBAD20FB90CCF3E0C"},  // CMYKInputProfile
    {139, 33, 0, "00000000000000000000000000000000"},  // OutputProfile
    {172, 1, 0, nullptr},  // SeparateProfileTG
    {173, 33, 0, "00000000000000000000000000000000"},  // TextOutputProfile
    {206, 1, 0, nullptr},  // UseSimulationProfile
    {207, 33, 0, "00000000000000000000000000000000"},  // SimulationProfile
    {240, 1, 0, nullptr},  // FormPrintPattern
    {241, 1, 1, nullptr},  // FormDataPrintFace
    {242, 1, 0, nullptr},  // FormFrontBackSep
    {243, 4, 0, nullptr},  // Form1
    {247, 4, 0, nullptr},  // Form2
    {251, 4, 0, nullptr},  // PrependJob
    {255, 4, 0, nullptr},  // AppendJob
    {259, 4, 0, nullptr},  // HorizontalShift
    {263, 4, 0, nullptr},  // VerticalShift
    {267, 1, 0, nullptr},  // ShiftFrontBack
    {268, 4, 0, nullptr},  // HoriShiftBack
    {272, 4, 0, nullptr},  // VertiShiftBack
    {276, 1, 4, nullptr},  // PrintPosition
    {277, 1, 0, nullptr},  // OutputDev
    {278, 64, 0, ""},  // Redirect-To-Queue
    {342, 9, 0, ""},  // Queue-Code-Word
    {351, 1, 0, nullptr},  // Print-And-Hold
    {352, 1, 0, nullptr},  // WaitAfterProof
    {353, 1, 0, nullptr},  // PrivatePrinting
    {354, 9, 0, ""},  // PrivatePrintingBoxNumber
    {363, 1, 0, nullptr},  // Delegation
    {364, 1, 0, nullptr},  // SendWindowsMessage
    {365, 32, 0, ""},  // SendWindowsMessageTarget
    {397, 1, 0, nullptr},  // EmailNotification
    {398, 128, 0, ""},  // EmailNotificationAddress
    {526, 1, 0, nullptr},  // JobSplitting
    {527, 2, 3, nullptr},  // JobSplittingLimit
    {529, 512, 0, ""},  // Job-Comment
};

TEST_F(PrivateDevmodeTest, DefaultsMatchTheFieldTable) {
  const PrivateDevmodeBody b = Defaults();
  std::size_t covered = 0;
  for (const DefaultField& f : kDefaults) {
    SCOPED_TRACE(f.offset);
    if (f.text != nullptr) {
      EXPECT_EQ(f.text, Text(b, f.offset, f.width));
      const std::size_t used = std::strlen(f.text);
      EXPECT_TRUE(AllZero(b, f.offset + used, f.width - used));
    } else {
      EXPECT_EQ(f.value, Get(b, f.offset, f.width));
    }
    covered += f.width;
  }
  EXPECT_EQ(qv::kPrivateDevmodeBodySize, covered);
}

TEST_F(PrivateDevmodeTest, DefaultsFollowTheLocalePaperAndPassValidation) {
  struct Case {
    const char16_t* paper;
    std::uint8_t pageSize;
  };
  const Case cases[] = {{u"1", 0}, {u"5", 1}, {u"8", 6}, {u"9", 7}, {u"", 7}, {u"12", 0}, {u"x", 7}, {nullptr, 7}};
  for (const Case& c : cases) {
    qvtest::SetFakePaperSize(c.paper);
    EXPECT_EQ(c.pageSize, qv::LocalePaperIndex());
    PrivateDevmodeBody b = qv::MakeDefaultPrivateDevmode(qv::LocalePaperIndex());
    EXPECT_EQ(c.pageSize, b.PageSize);
    const PrivateDevmodeBody before = b;
    EXPECT_TRUE(qv::ValidatePrivateDevmode(&b));
    EXPECT_TRUE(Same(before, b));
  }
}

TEST_F(PrivateDevmodeTest, TemplateIsBuiltOnceAndKeepsItsLocalePaper) {
  // The template was built at start-up with the A4 locale; a later locale change does
  // not reach it within the process.
  qvtest::SetFakePaperSize(u"1");
  const PrivateDevmodeBody b = Defaults();
  EXPECT_EQ(7, b.PageSize);
  EXPECT_TRUE(Same(qv::MakeDefaultPrivateDevmode(7), b));
}

TEST_F(PrivateDevmodeTest, LocaleMeasure) {
  struct Case {
    const char16_t* measure;
    bool us;
  };
  for (const Case& c : {Case{u"0", false}, Case{u"1", true}, Case{u"", true}, Case{nullptr, true}}) {
    qvtest::SetFakeMeasure(c.measure);
    EXPECT_EQ(c.us, qv::LocaleUsesUSMeasure()) << (c.measure ? "answered" : "failed");
  }
}

// A query that cannot get memory for its text is a failed query, not an exception
// thrown through the plug-ins' COM methods.
bool ThrowingQuery(qv::LocaleItem, std::u16string&) { throw std::bad_alloc(); }

TEST_F(PrivateDevmodeTest, LocaleQueryOutOfMemoryCountsAsFailed) {
  const qv::LocaleQuery previous = qv::SetLocaleQuery(&ThrowingQuery);
  EXPECT_EQ(7, qv::LocalePaperIndex());
  EXPECT_TRUE(qv::LocaleUsesUSMeasure());
  PrivateDevmodeBody b = Defaults();
  b.PageSize = 19;  // custom without extents: repaired to the locale paper
  EXPECT_FALSE(qv::ValidatePrivateDevmode(&b));
  EXPECT_EQ(7, b.PageSize);
  qv::SetLocaleQuery(previous);
}

TEST_F(PrivateDevmodeTest, ClearZeroesTheWholeBody) {
  PrivateDevmodeBody b;
  std::memset(&b, 0xA5, sizeof(b));
  EXPECT_EQ(&b, qv::ClearPrivateDevmode(&b));
  EXPECT_TRUE(AllZero(b, 0, sizeof(b)));
  EXPECT_EQ(nullptr, qv::ClearPrivateDevmode(nullptr));
  EXPECT_FALSE(qv::ValidatePrivateDevmode(nullptr));
}

// ---- Validation, field kind by field kind --------------------------------------------

struct ListField {
  std::size_t offset;
  std::uint32_t count;
  std::uint8_t reset;
  const char* name;
};
struct NumericField {
  std::size_t offset, width;
  bool isSigned;
  std::int64_t minimum, maximum;
  std::int64_t reset;
  const char* name;
};
struct TextField {
  std::size_t offset, width;
  const char* reset;
  const char* name;
};

const ListField kListFields[] = {
    {9, 2, 0, "Orientation"},
    {10, 4, 0, "InputSlot"},
    {11, 12, 0, "MediaType"},
    {12, 3, 0, "Duplex"},
    {13, 5, 0, "Imposition"},
    {14, 2, 0, "ImpositionDirection"},
    {19, 2, 0, "GutterAutoReducing"},
    {20, 2, 0, "NupPageOrder"},
    {21, 4, 0, "NupPagesPerSheet"},
    {31, 2, 1, "ScaleToFit"},
    {34, 2, 0, "Rotate180"},
    {35, 2, 0, "OutputTray"},
    {36, 3, 0, "FinishSide"},
    {37, 5, 0, "StapleMode"},
    {38, 4, 0, "PunchMode"},
    {39, 7, 0, "FoldMode"},
    {40, 2, 0, "FoldInOut"},
    {41, 2, 0, "ZFoldMixed"},
    {42, 2, 0, "ZFoldRotateBig"},
    {43, 3, 0, "OutputFace"},
    {44, 2, 0, "ReverseOrder"},
    {45, 2, 0, "Collate"},
    {46, 2, 0, "JogMode"},
    {47, 3, 0, "JobSepSheet"},
    {48, 17, 1, "BookletSplitting"},
    {49, 2, 0, "HeaderPage"},
    {50, 3, 0, "FrontCover"},
    {51, 3, 0, "BackCover"},
    {52, 4, 0, "BookletCover"},
    {53, 2, 0, "Resolution"},
    {54, 2, 0, "OutputMode"},
    {55, 2, 0, "Screening"},
    {56, 3, 1, "ScreenFreq"},
    {57, 3, 0, "LineSmoothing"},
    {58, 5, 2, "GCDensity"},
    {59, 5, 2, "GCContrast"},
    {60, 5, 2, "PrintDensity"},
    {61, 8, 0, "MaxDrops"},
    {70, 4, 2, "RenderingIntent"},
    {71, 2, 1, "RemapDeviceRGB"},
    {105, 3, 1, "RemapDeviceCMYK"},
    {172, 2, 0, "SeparateProfileTG"},
    {206, 2, 0, "UseSimulationProfile"},
    {240, 6, 0, "FormPrintPattern"},
    {241, 2, 1, "FormDataPrintFace"},
    {242, 2, 0, "FormFrontBackSep"},
    {267, 2, 0, "ShiftFrontBack"},
    {276, 9, 4, "PrintPosition"},
    {277, 3, 0, "OutputDev"},
    {351, 2, 0, "PrintAndHold"},
    {352, 2, 0, "WaitAfterProof"},
    {353, 2, 0, "PrivatePrinting"},
    {363, 2, 0, "Delegation"},
    {364, 3, 0, "SendWindowsMessage"},
    {397, 3, 0, "EmailNotification"},
    {526, 3, 0, "JobSplitting"},
};
const NumericField kNumericFields[] = {
    {1, 4, false, 0, 4294966295LL, 0, "PageSizeWidth"},
    {5, 4, false, 0, 4294966295LL, 0, "PageSizeHeight"},
    {15, 4, false, 0, 129032LL, 0, "GutterDistance"},
    {23, 4, false, 0, 4294966295LL, 0, "TargetPaperSizeWidth"},
    {27, 4, false, 0, 4294966295LL, 0, "TargetPaperSizeHeight"},
    {32, 2, false, 1, 1000LL, 100, "Zoom"},
    {62, 2, false, 1, 300LL, 100, "CyanGamma"},
    {64, 2, false, 1, 300LL, 100, "MagentaGamma"},
    {66, 2, false, 1, 300LL, 100, "YellowGamma"},
    {68, 2, false, 1, 300LL, 100, "BlackGamma"},
    {259, 4, true, -645159, 645160LL, 0, "HorizontalShift"},
    {263, 4, true, -645159, 645160LL, 0, "VerticalShift"},
    {268, 4, true, -645159, 645160LL, 0, "HoriShiftBack"},
    {272, 4, true, -645159, 645160LL, 0, "VertiShiftBack"},
    {527, 2, false, 1, 9999LL, 3, "JobSplittingLimit"},
};
const TextField kTextFields[] = {
    {72, 33, "1D3FDA2EDB4A89AB60A23C5F7C7D81DD", "RGBInputProfile"},
    {106, 33, "4CB167869183B59BBAD20FB90CCF3E0C", "CMYKInputProfile"},
    {139, 33, "00000000000000000000000000000000", "OutputProfile"},
    {173, 33, "00000000000000000000000000000000", "TextOutputProfile"},
    {207, 33, "00000000000000000000000000000000", "SimulationProfile"},
    {278, 64, "", "RedirectToQueue"},
    {342, 9, "", "QueueCodeWord"},
    {354, 9, "", "PrivatePrintingBoxNumber"},
    {365, 32, "", "SendWindowsMessageTarget"},
    {398, 128, "", "EmailNotificationAddress"},
    {529, 512, "", "JobComment"},
};

// Validates defaults with one field changed; expects the result and the whole body.
void ExpectRepair(std::size_t offset, std::size_t width, std::uint64_t stored, std::uint64_t after, bool ok,
                  const char* name) {
  SCOPED_TRACE(std::string(name) + " stored " + std::to_string(stored));
  PrivateDevmodeBody b = Defaults();
  Put(b, offset, width, stored);
  PrivateDevmodeBody expected = Defaults();
  Put(expected, offset, width, after);
  EXPECT_EQ(ok, qv::ValidatePrivateDevmode(&b));
  EXPECT_EQ(after, Get(b, offset, width));
  EXPECT_TRUE(Same(expected, b));
}

TEST_F(PrivateDevmodeTest, ListAndBooleanFieldsAtAndPastTheirCount) {
  EXPECT_EQ(56u, sizeof(kListFields) / sizeof(kListFields[0]));
  for (const ListField& f : kListFields) {
    ExpectRepair(f.offset, 1, f.count - 1, f.count - 1, true, f.name);
    ExpectRepair(f.offset, 1, f.count, f.reset, false, f.name);
    ExpectRepair(f.offset, 1, 0xFF, f.reset, false, f.name);
  }
}

TEST_F(PrivateDevmodeTest, NumericFieldsAtAndPastTheirLimits) {
  for (const NumericField& f : kNumericFields) {
    const std::uint64_t mask = f.width == 4 ? 0xFFFFFFFFull : 0xFFFFull;
    const auto raw = [&](std::int64_t v) { return static_cast<std::uint64_t>(v) & mask; };
    ExpectRepair(f.offset, f.width, raw(f.minimum), raw(f.minimum), true, f.name);
    ExpectRepair(f.offset, f.width, raw(f.maximum), raw(f.maximum), true, f.name);
    ExpectRepair(f.offset, f.width, raw(f.maximum + 1), raw(f.reset), false, f.name);
    if (f.isSigned || f.minimum > 0) ExpectRepair(f.offset, f.width, raw(f.minimum - 1), raw(f.reset), false, f.name);
    ExpectRepair(f.offset, f.width, mask, f.isSigned ? mask : raw(f.reset), f.isSigned, f.name);  // -1 for shifts
    if (f.isSigned) ExpectRepair(f.offset, f.width, 0x80000000u, raw(f.reset), false, f.name);
  }
}

TEST_F(PrivateDevmodeTest, TextAndProfileFieldsNeedTheirTerminator) {
  for (const TextField& f : kTextFields) {
    SCOPED_TRACE(f.name);
    // Full length with its terminator passes, characters unchecked.
    PrivateDevmodeBody b = Defaults();
    char* field = reinterpret_cast<char*>(&b) + f.offset;
    std::memset(field, 'z', f.width - 1);
    field[f.width - 1] = 0;
    PrivateDevmodeBody expected = b;
    EXPECT_TRUE(qv::ValidatePrivateDevmode(&b));
    EXPECT_TRUE(Same(expected, b));
    // No terminator: the whole field is cleared and the default put back.
    field[f.width - 1] = 'z';
    EXPECT_FALSE(qv::ValidatePrivateDevmode(&b));
    EXPECT_EQ(f.reset, Text(b, f.offset, f.width));
    EXPECT_TRUE(Same(Defaults(), b));
  }
}

TEST_F(PrivateDevmodeTest, FormFieldsAreNeverChecked) {
  for (std::size_t offset : {243u, 247u, 251u, 255u}) {
    ExpectRepair(offset, 4, 0xFFFFFFFFu, 0xFFFFFFFFu, true, "form");
    ExpectRepair(offset, 4, 11, 11, true, "form");
  }
}

// ---- The paper fields and the described edge cases -----------------------------------

struct PaperCase {
  const char* what;
  std::uint8_t pageSize;
  std::uint32_t width, height;
  std::uint8_t pageSizeAfter;
  std::uint32_t widthAfter, heightAfter;
  bool ok;
};

TEST_F(PrivateDevmodeTest, CustomPageSizeNeedsBothExtents) {
  const PaperCase cases[] = {
      {"custom with zero height -> locale paper", 19, 210000, 0, 7, 210000, 0, false},
      {"custom with zero width -> locale paper", 19, 0, 297000, 7, 0, 297000, false},
      {"custom with both extents", 19, 210000, 297000, 19, 210000, 297000, true},
      {"200 with both extents passes", 200, 1, 1, 200, 1, 1, true},
      {"255 with both extents passes", 255, 0xFFFFFC17u, 0xFFFFFC17u, 255, 0xFFFFFC17u, 0xFFFFFC17u, true},
      // The width is repaired first, so the custom paper does not keep a zero extent.
      {"custom with width too large", 19, 0xFFFFFFFFu, 297000, 7, 0, 297000, false},
      {"custom with height just too large", 19, 210000, 0xFFFFFC18u, 7, 210000, 0, false},
      {"named paper ignores its extents", 18, 0, 0, 18, 0, 0, true},
  };
  for (const PaperCase& c : cases) {
    SCOPED_TRACE(c.what);
    PrivateDevmodeBody b = Defaults();
    b.PageSize = c.pageSize;
    b.PageSizeWidth = c.width;
    b.PageSizeHeight = c.height;
    EXPECT_EQ(c.ok, qv::ValidatePrivateDevmode(&b));
    EXPECT_EQ(c.pageSizeAfter, b.PageSize);
    EXPECT_EQ(c.widthAfter, std::uint32_t{b.PageSizeWidth});
    EXPECT_EQ(c.heightAfter, std::uint32_t{b.PageSizeHeight});
    // A repaired record is stable.
    const PrivateDevmodeBody once = b;
    EXPECT_TRUE(qv::ValidatePrivateDevmode(&b));
    EXPECT_TRUE(Same(once, b));
  }
}

TEST_F(PrivateDevmodeTest, CustomPageSizeTakesTheLocalePaperAtValidation) {
  qvtest::SetFakePaperSize(u"1");
  PrivateDevmodeBody b = Defaults();
  b.PageSize = 19;
  EXPECT_FALSE(qv::ValidatePrivateDevmode(&b));
  EXPECT_EQ(0, b.PageSize);
  qvtest::SetFakePaperSize(nullptr);
  b.PageSize = 25;
  EXPECT_FALSE(qv::ValidatePrivateDevmode(&b));
  EXPECT_EQ(7, b.PageSize);
}

TEST_F(PrivateDevmodeTest, CustomTargetPaperSizeNeedsBothExtents) {
  const PaperCase cases[] = {
      {"custom with zero width -> auto", 20, 0, 297000, 0, 0, 297000, false},
      {"custom with zero height -> auto", 255, 210000, 0, 0, 210000, 0, false},
      {"custom with both extents", 20, 210000, 297000, 20, 210000, 297000, true},
      {"named paper 19", 19, 0, 0, 19, 0, 0, true},
      {"custom with width too large", 20, 0xFFFFFC18u, 297000, 0, 0, 297000, false},
  };
  for (const PaperCase& c : cases) {
    SCOPED_TRACE(c.what);
    PrivateDevmodeBody b = Defaults();
    b.TargetPaperSize = c.pageSize;
    b.TargetPaperSizeWidth = c.width;
    b.TargetPaperSizeHeight = c.height;
    EXPECT_EQ(c.ok, qv::ValidatePrivateDevmode(&b));
    EXPECT_EQ(c.pageSizeAfter, b.TargetPaperSize);
    EXPECT_EQ(c.widthAfter, std::uint32_t{b.TargetPaperSizeWidth});
    EXPECT_EQ(c.heightAfter, std::uint32_t{b.TargetPaperSizeHeight});
    const PrivateDevmodeBody once = b;
    EXPECT_TRUE(qv::ValidatePrivateDevmode(&b));
    EXPECT_TRUE(Same(once, b));
  }
}

TEST_F(PrivateDevmodeTest, ZeroedBodyIsRepairedToUsableValues) {
  PrivateDevmodeBody b;
  qv::ClearPrivateDevmode(&b);
  EXPECT_FALSE(qv::ValidatePrivateDevmode(&b));
  PrivateDevmodeBody expected;
  qv::ClearPrivateDevmode(&expected);
  expected.Zoom = 100;
  expected.CyanGamma = expected.MagentaGamma = expected.YellowGamma = expected.BlackGamma = 100;
  expected.JobSplittingLimit = 3;
  EXPECT_TRUE(Same(expected, b));  // PageSize 0 and ScaleToFit 0 pass, empty texts pass
  EXPECT_TRUE(qv::ValidatePrivateDevmode(&b));
}

TEST_F(PrivateDevmodeTest, DescribedEdgeCases) {
  PrivateDevmodeBody b = Defaults();
  b.HorizontalShift = -645160;
  EXPECT_FALSE(qv::ValidatePrivateDevmode(&b));
  EXPECT_EQ(0, std::int32_t{b.HorizontalShift});

  b = Defaults();
  std::memcpy(b.QueueCodeWord, "123456789", 9);
  EXPECT_FALSE(qv::ValidatePrivateDevmode(&b));
  EXPECT_EQ("", Text(b, 342, 9));

  b = Defaults();
  std::memset(b.RGBInputProfile, 'A', 33);
  EXPECT_FALSE(qv::ValidatePrivateDevmode(&b));
  EXPECT_EQ("1D3FDA2EDB4A89AB60A23C5F7C7D81DD", Text(b, 72, 33));

  b = Defaults();
  b.Form1 = 0xFFFFFFFFu;
  EXPECT_TRUE(qv::ValidatePrivateDevmode(&b));
  EXPECT_EQ(0xFFFFFFFFu, std::uint32_t{b.Form1});
}

TEST_F(PrivateDevmodeTest, GarbageIsRepairedOnceAndThenStable) {
  // Every byte pattern repairs to a record that a second validation leaves alone.
  for (int pattern : {0x00, 0x01, 0x13, 0x7F, 0x80, 0xC3, 0xFF}) {
    SCOPED_TRACE(pattern);
    PrivateDevmodeBody b;
    std::memset(&b, pattern, sizeof(b));
    qv::ValidatePrivateDevmode(&b);
    const PrivateDevmodeBody once = b;
    EXPECT_TRUE(qv::ValidatePrivateDevmode(&b));
    EXPECT_TRUE(Same(once, b));
  }
}

}  // namespace
