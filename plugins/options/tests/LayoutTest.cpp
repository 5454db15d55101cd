// The stored layout of the private DEVMODE record, proved at compile time in every tree
// (native, i686, x86_64): each body field's offset and width, the header, the sizes.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "DevmodeExchange.h"
#include "PrivateDevmode.h"

namespace {

using qv::PrivateDevmode;
using qv::PrivateDevmodeBody;

// (field, offset from the start of the body, width in bytes)
#define QV_BODY_FIELDS \
  QV_FIELD(PageSize, 0, 1) \
  QV_FIELD(PageSizeWidth, 1, 4) \
  QV_FIELD(PageSizeHeight, 5, 4) \
  QV_FIELD(Orientation, 9, 1) \
  QV_FIELD(InputSlot, 10, 1) \
  QV_FIELD(MediaType, 11, 1) \
  QV_FIELD(Duplex, 12, 1) \
  QV_FIELD(Imposition, 13, 1) \
  QV_FIELD(ImpositionDirection, 14, 1) \
  QV_FIELD(GutterDistance, 15, 4) \
  QV_FIELD(GutterAutoReducing, 19, 1) \
  QV_FIELD(NupPageOrder, 20, 1) \
  QV_FIELD(NupPagesPerSheet, 21, 1) \
  QV_FIELD(TargetPaperSize, 22, 1) \
  QV_FIELD(TargetPaperSizeWidth, 23, 4) \
  QV_FIELD(TargetPaperSizeHeight, 27, 4) \
  QV_FIELD(ScaleToFit, 31, 1) \
  QV_FIELD(Zoom, 32, 2) \
  QV_FIELD(Rotate180, 34, 1) \
  QV_FIELD(OutputTray, 35, 1) \
  QV_FIELD(FinishSide, 36, 1) \
  QV_FIELD(StapleMode, 37, 1) \
  QV_FIELD(PunchMode, 38, 1) \
  QV_FIELD(FoldMode, 39, 1) \
  QV_FIELD(FoldInOut, 40, 1) \
  QV_FIELD(ZFoldMixed, 41, 1) \
  QV_FIELD(ZFoldRotateBig, 42, 1) \
  QV_FIELD(OutputFace, 43, 1) \
  QV_FIELD(ReverseOrder, 44, 1) \
  QV_FIELD(Collate, 45, 1) \
  QV_FIELD(JogMode, 46, 1) \
  QV_FIELD(JobSepSheet, 47, 1) \
  QV_FIELD(BookletSplitting, 48, 1) \
  QV_FIELD(HeaderPage, 49, 1) \
  QV_FIELD(FrontCover, 50, 1) \
  QV_FIELD(BackCover, 51, 1) \
  QV_FIELD(BookletCover, 52, 1) \
  QV_FIELD(Resolution, 53, 1) \
  QV_FIELD(OutputMode, 54, 1) \
  QV_FIELD(Screening, 55, 1) \
  QV_FIELD(ScreenFreq, 56, 1) \
  QV_FIELD(LineSmoothing, 57, 1) \
  QV_FIELD(GCDensity, 58, 1) \
  QV_FIELD(GCContrast, 59, 1) \
  QV_FIELD(PrintDensity, 60, 1) \
  QV_FIELD(MaxDrops, 61, 1) \
  QV_FIELD(CyanGamma, 62, 2) \
  QV_FIELD(MagentaGamma, 64, 2) \
  QV_FIELD(YellowGamma, 66, 2) \
  QV_FIELD(BlackGamma, 68, 2) \
  QV_FIELD(RenderingIntent, 70, 1) \
  QV_FIELD(RemapDeviceRGB, 71, 1) \
  QV_FIELD(RGBInputProfile, 72, 33) \
  QV_FIELD(RemapDeviceCMYK, 105, 1) \
  QV_FIELD(CMYKInputProfile, 106, 33) \
  QV_FIELD(OutputProfile, 139, 33) \
  QV_FIELD(SeparateProfileTG, 172, 1) \
  QV_FIELD(TextOutputProfile, 173, 33) \
  QV_FIELD(UseSimulationProfile, 206, 1) \
  QV_FIELD(SimulationProfile, 207, 33) \
  QV_FIELD(FormPrintPattern, 240, 1) \
  QV_FIELD(FormDataPrintFace, 241, 1) \
  QV_FIELD(FormFrontBackSep, 242, 1) \
  QV_FIELD(Form1, 243, 4) \
  QV_FIELD(Form2, 247, 4) \
  QV_FIELD(PrependJob, 251, 4) \
  QV_FIELD(AppendJob, 255, 4) \
  QV_FIELD(HorizontalShift, 259, 4) \
  QV_FIELD(VerticalShift, 263, 4) \
  QV_FIELD(ShiftFrontBack, 267, 1) \
  QV_FIELD(HoriShiftBack, 268, 4) \
  QV_FIELD(VertiShiftBack, 272, 4) \
  QV_FIELD(PrintPosition, 276, 1) \
  QV_FIELD(OutputDev, 277, 1) \
  QV_FIELD(RedirectToQueue, 278, 64) \
  QV_FIELD(QueueCodeWord, 342, 9) \
  QV_FIELD(PrintAndHold, 351, 1) \
  QV_FIELD(WaitAfterProof, 352, 1) \
  QV_FIELD(PrivatePrinting, 353, 1) \
  QV_FIELD(PrivatePrintingBoxNumber, 354, 9) \
  QV_FIELD(Delegation, 363, 1) \
  QV_FIELD(SendWindowsMessage, 364, 1) \
  QV_FIELD(SendWindowsMessageTarget, 365, 32) \
  QV_FIELD(EmailNotification, 397, 1) \
  QV_FIELD(EmailNotificationAddress, 398, 128) \
  QV_FIELD(JobSplitting, 526, 1) \
  QV_FIELD(JobSplittingLimit, 527, 2) \
  QV_FIELD(JobComment, 529, 512)

#define QV_FIELD(name, offset, width)                                                      \
  static_assert(offsetof(PrivateDevmodeBody, name) == (offset), #name " offset");         \
  static_assert(sizeof(PrivateDevmodeBody::name) == (width), #name " width");             \
  static_assert(offsetof(PrivateDevmode, body) + offsetof(PrivateDevmodeBody, name) ==     \
                    12 + (offset), #name " record offset");
QV_BODY_FIELDS
#undef QV_FIELD

// The fields tile the body without gaps: the widths add up to 1041.
#define QV_FIELD(name, offset, width) +(width)
static_assert(0 QV_BODY_FIELDS == 1041, "fields cover the body");
#undef QV_FIELD

static_assert(sizeof(PrivateDevmodeBody) == 1041, "body size");
static_assert(sizeof(PrivateDevmode) == 1056, "record size");
static_assert(alignof(PrivateDevmode) == 1, "record is byte-aligned");
static_assert(offsetof(PrivateDevmode, dmExtraHeader) == 0, "header first");
static_assert(offsetof(qv::DmExtraHeader, dwSize) == 0 && offsetof(qv::DmExtraHeader, dwSignature) == 4 &&
                  offsetof(qv::DmExtraHeader, dwVersion) == 8 && sizeof(qv::DmExtraHeader) == 12,
              "header fields");
static_assert(offsetof(PrivateDevmode, padding) == 1053 && sizeof(PrivateDevmode::padding) == 3, "padding");
static_assert(qv::kPrivateDevmodeSize == 1056 && qv::kPrivateDevmodeSignature == 0x54565247 &&
                  qv::kPrivateDevmodeVersion == 0x10410441,
              "header values");

// The companion library's paper-settings record.
static_assert(sizeof(qv::PaperSettings) == 150, "PaperSettings size");
static_assert(offsetof(qv::PaperSettings, fields) == 0 && offsetof(qv::PaperSettings, paperSize) == 4 &&
                  offsetof(qv::PaperSettings, paperLength) == 8 && offsetof(qv::PaperSettings, paperWidth) == 12 &&
                  offsetof(qv::PaperSettings, formName) == 16 && sizeof(qv::PaperSettings::formName) == 130 &&
                  offsetof(qv::PaperSettings, defaultSource) == 146,
              "PaperSettings fields");

// Multi-byte fields at odd offsets read and write little-endian through the struct.
TEST(RecordLayout, MultiByteFieldsAreLittleEndianAtTheirOffsets) {
  PrivateDevmode record;
  std::memset(&record, 0, sizeof(record));
  record.dmExtraHeader.dwSignature = qv::kPrivateDevmodeSignature;
  record.body.PageSizeWidth = 0x04030201u;
  record.body.HoriShiftBack = -2;
  record.body.JobSplittingLimit = 0x0A0B;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&record);
  EXPECT_EQ(0, std::memcmp(bytes + 4, "GRVT", 4));
  const unsigned char width[] = {1, 2, 3, 4};
  EXPECT_EQ(0, std::memcmp(bytes + 12 + 1, width, 4));
  const unsigned char shift[] = {0xFE, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(0, std::memcmp(bytes + 12 + 268, shift, 4));
  EXPECT_EQ(0x0B, bytes[12 + 527]);
  EXPECT_EQ(0x0A, bytes[12 + 528]);
}

}  // namespace
