// PrivateDevmode: the plug-ins' private part of the PostScript driver's DEVMODE.
//
// A stored format carried by the spooler with printer defaults and jobs and shared by
// both plug-ins in their x86 and x64 builds: 1056 bytes = a 12-byte OEM_DMEXTRAHEADER-
// shaped header, a 1041-byte body packed on byte boundaries (multi-byte fields sit at odd
// offsets), 3 bytes of padding. All integers are little-endian (true on every target we
// build for). The offsets are checked below at compile time.
//
// Body fields carry the name of their option (OptionDescriptors.h); the hyphenated
// options drop the hyphens (RedirectToQueue, QueueCodeWord, PrintAndHold, JobComment).
// Fields are packed: read and write them by value (b.Zoom = 100), never bind a pointer
// or reference to a multi-byte field.
//
// Units: PageSizeWidth/Height and TargetPaperSizeWidth/Height in micrometres.
#pragma once

#include <cstddef>
#include <cstdint>

#include "LocaleQuery.h"  // LocalePaperIndex

namespace qv {

#pragma pack(push, 1)
// Same layout as the driver kit's OEM_DMEXTRAHEADER (three DWORDs); the plug-ins'
// own OEM declarations static_assert against it. Byte-aligned so that it can be read
// wherever a private part starts.
struct DmExtraHeader {
  std::uint32_t dwSize;       // bytes of the whole private part, header included
  std::uint32_t dwSignature;
  std::uint32_t dwVersion;
};
#pragma pack(pop)
static_assert(sizeof(DmExtraHeader) == 12, "DmExtraHeader layout");

constexpr std::uint32_t kPrivateDevmodeSize = 1056;
constexpr std::uint32_t kPrivateDevmodeSignature = 0x54565247;  // 'TVRG': bytes 47 52 56 54
constexpr std::uint32_t kPrivateDevmodeVersion = 0x10410441;
constexpr std::size_t kPrivateDevmodeBodySize = 1041;
constexpr std::size_t kProfileIdLength = 32;  // profile fields: 32 characters + terminator

#pragma pack(push, 1)
struct PrivateDevmodeBody {
  std::uint8_t PageSize;               // 0..18 named paper; >= 19 custom (needs both extents)
  std::uint32_t PageSizeWidth;         // micrometres, 0..0xFFFFFC17
  std::uint32_t PageSizeHeight;        // micrometres, 0..0xFFFFFC17
  std::uint8_t Orientation;            // 0 portrait, 1 landscape
  std::uint8_t InputSlot;
  std::uint8_t MediaType;
  std::uint8_t Duplex;
  std::uint8_t Imposition;
  std::uint8_t ImpositionDirection;
  std::uint32_t GutterDistance;        // 0..129032
  std::uint8_t GutterAutoReducing;
  std::uint8_t NupPageOrder;
  std::uint8_t NupPagesPerSheet;
  std::uint8_t TargetPaperSize;        // 0 auto, 1..19 named, >= 20 custom (needs both extents)
  std::uint32_t TargetPaperSizeWidth;  // micrometres
  std::uint32_t TargetPaperSizeHeight; // micrometres
  std::uint8_t ScaleToFit;
  std::uint16_t Zoom;                  // percent, 1..1000
  std::uint8_t Rotate180;
  std::uint8_t OutputTray;
  std::uint8_t FinishSide;
  std::uint8_t StapleMode;
  std::uint8_t PunchMode;
  std::uint8_t FoldMode;
  std::uint8_t FoldInOut;
  std::uint8_t ZFoldMixed;
  std::uint8_t ZFoldRotateBig;
  std::uint8_t OutputFace;
  std::uint8_t ReverseOrder;
  std::uint8_t Collate;                // 0 "True", 1 "False"
  std::uint8_t JogMode;
  std::uint8_t JobSepSheet;
  std::uint8_t BookletSplitting;
  std::uint8_t HeaderPage;
  std::uint8_t FrontCover;
  std::uint8_t BackCover;
  std::uint8_t BookletCover;
  std::uint8_t Resolution;             // 0 300x300dpi, 1 300x600dpi
  std::uint8_t OutputMode;
  std::uint8_t Screening;
  std::uint8_t ScreenFreq;
  std::uint8_t LineSmoothing;
  std::uint8_t GCDensity;
  std::uint8_t GCContrast;
  std::uint8_t PrintDensity;
  std::uint8_t MaxDrops;
  std::uint16_t CyanGamma;             // 1..300
  std::uint16_t MagentaGamma;
  std::uint16_t YellowGamma;
  std::uint16_t BlackGamma;
  std::uint8_t RenderingIntent;
  std::uint8_t RemapDeviceRGB;
  char RGBInputProfile[kProfileIdLength + 1];   // profile id text, zero-terminated
  std::uint8_t RemapDeviceCMYK;
  char CMYKInputProfile[kProfileIdLength + 1];
  char OutputProfile[kProfileIdLength + 1];
  std::uint8_t SeparateProfileTG;
  char TextOutputProfile[kProfileIdLength + 1];
  std::uint8_t UseSimulationProfile;
  char SimulationProfile[kProfileIdLength + 1];
  std::uint8_t FormPrintPattern;
  std::uint8_t FormDataPrintFace;
  std::uint8_t FormFrontBackSep;
  std::uint32_t Form1;                 // 0..10 list entry; larger values carried as they are
  std::uint32_t Form2;
  std::uint32_t PrependJob;
  std::uint32_t AppendJob;
  std::int32_t HorizontalShift;        // -645159..645160
  std::int32_t VerticalShift;
  std::uint8_t ShiftFrontBack;
  std::int32_t HoriShiftBack;
  std::int32_t VertiShiftBack;
  std::uint8_t PrintPosition;
  std::uint8_t OutputDev;
  char RedirectToQueue[64];            // "Redirect-To-Queue", text up to 63 characters
  char QueueCodeWord[9];               // "Queue-Code-Word"
  std::uint8_t PrintAndHold;           // "Print-And-Hold"
  std::uint8_t WaitAfterProof;
  std::uint8_t PrivatePrinting;
  char PrivatePrintingBoxNumber[9];
  std::uint8_t Delegation;
  std::uint8_t SendWindowsMessage;
  char SendWindowsMessageTarget[32];
  std::uint8_t EmailNotification;
  char EmailNotificationAddress[128];
  std::uint8_t JobSplitting;
  std::uint16_t JobSplittingLimit;     // 1..9999
  char JobComment[512];                // "Job-Comment"
};

struct PrivateDevmode {
  DmExtraHeader dmExtraHeader;
  PrivateDevmodeBody body;
  std::uint8_t padding[3];  // never set by the defaults; copied with the record
};
#pragma pack(pop)

static_assert(sizeof(PrivateDevmodeBody) == kPrivateDevmodeBodySize, "body is 1041 bytes");
static_assert(sizeof(PrivateDevmode) == kPrivateDevmodeSize, "record is 1056 bytes");
static_assert(alignof(PrivateDevmodeBody) == 1 && alignof(PrivateDevmode) == 1, "packed");
static_assert(offsetof(PrivateDevmode, body) == 12, "body follows the header");
static_assert(offsetof(PrivateDevmodeBody, PageSizeWidth) == 1, "packed layout");
static_assert(offsetof(PrivateDevmodeBody, RGBInputProfile) == 72, "packed layout");
static_assert(offsetof(PrivateDevmodeBody, Form1) == 243, "packed layout");
static_assert(offsetof(PrivateDevmodeBody, JobComment) == 529, "packed layout");

// Sets all 1041 body bytes to zero; returns body (nullptr stays nullptr).
PrivateDevmodeBody* ClearPrivateDevmode(PrivateDevmodeBody* body);

// Copies the process-wide default body into body; the header is the caller's. The
// template is built once per process on first use (thread-safe) with the locale's
// paper at that moment (LocaleQuery.h) and is read-only afterwards.
void DefaultPrivateDevmode(PrivateDevmodeBody* body);

// Builds a default body for the given default page size, without the template. The
// template is MakeDefaultPrivateDevmode(LocalePaperIndex()).
PrivateDevmodeBody MakeDefaultPrivateDevmode(std::uint8_t pageSize);

// Repairs body in place field by field, in body order; true when nothing had to be
// reset, false when at least one field was. Validating a repaired body changes nothing
// and answers true. nullptr answers false.
bool ValidatePrivateDevmode(PrivateDevmodeBody* body);

// Writes our header {1056, signature, version}.
void SetPrivateDevmodeHeader(DmExtraHeader* header);
// true when header is exactly ours.
bool IsOurPrivateDevmodeHeader(const DmExtraHeader& header);

}  // namespace qv
