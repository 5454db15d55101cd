// Job-option descriptor tables shared by both driver plug-ins.
//
// Every job option has exactly one constant descriptor object. The objects live in
// namespace qv::desc and are named after the option they describe (the record field of
// the same name in PrivateDevmode.h); the four options whose names hold hyphens drop
// them:
//     Redirect-To-Queue -> qv::desc::RedirectToQueue
//     Queue-Code-Word   -> qv::desc::QueueCodeWord
//     Print-And-Hold    -> qv::desc::PrintAndHold
//     Job-Comment       -> qv::desc::JobComment
// e.g. qv::desc::PageSize (OptionDescriptor), qv::desc::Zoom (NumericOptionDescriptor),
// qv::desc::EmailNotificationAddress (TextOptionDescriptor). Colour-profile fields and
// RedirectToQueue are text fields in the record but are described by list descriptors.
//
// Numeric options passed to the core driver also have a preset list, named
// qv::desc::<Option>Presets (an ascending std::int32_t array in the unit of the sent
// value); the gamma and the shift options each have their own copy:
//     GutterDistancePresets[15], ZoomPresets[14], CyanGammaPresets[20] (also Magenta-,
//     Yellow-, BlackGammaPresets), HorizontalShiftPresets[59] (also VerticalShift-,
//     HoriShiftBack-, VertiShiftBackPresets).
//
// The tables are constant-initialised data: they can be read from any thread at any
// time, nothing is built at run time. A string field that is "none" holds nullptr,
// which is not the same as "".
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

// Capacity of every list; the longest list in use has 20 entries.
constexpr std::uint32_t kMaxOptionEntries = 36;

// An entry's caption: a caption id (-1 for none) or, for colour-profile entries, the
// UTF-16 display name. Pointer-wide. Which member is meaningful is fixed per option
// (profile lists carry names); no plug-in operation reads it.
union OptionDisplay {
  std::intptr_t captionId;
  const char16_t* name;

  constexpr OptionDisplay() : captionId(0) {}
  constexpr OptionDisplay(std::intptr_t id) : captionId(id) {}   // NOLINT: implicit on purpose
  constexpr OptionDisplay(const char16_t* n) : name(n) {}      // NOLINT: implicit on purpose
};

struct OptionEntry {
  std::int32_t value;      // the entry's own index
  OptionDisplay display;
  const char* keyword;     // option keyword sent for this entry, or nullptr
};

// A list option; its stored value is an index below entryCount.
struct OptionDescriptor {
  const char* ppdKeyword;  // PPD feature keyword, or nullptr (never sent to the core driver)
  const char* optionName;  // name for the procedure set, or nullptr
  const char* dscKey;      // DSC header comment key, or nullptr
  std::intptr_t displayId; // caption id, -1 for none
  std::uint32_t entryCount;    // 1 .. kMaxOptionEntries
  std::uint32_t defaultIndex;  // < entryCount
  OptionEntry entries[kMaxOptionEntries];  // entries past entryCount are all zero
};

// A numeric option. The sent value is stored * numerator / denominator.
// The four paper-extent options hold maximum 0xFFFFFC17 (2^32 - 1001), which is meant
// unsigned: compare those fields as std::uint32_t(maximum). The shift options have a
// negative minimum and are compared signed.
struct NumericOptionDescriptor {
  const char* ppdKeyword;
  const char* optionName;
  const char* dscKey;      // nullptr for every numeric option
  std::intptr_t displayId;
  std::uint32_t numerator;
  std::uint32_t denominator;
  std::int32_t minimum;
  std::int32_t maximum;
  std::int32_t defaultValue;
};

// A text option. The record field holds maxLength characters plus a terminating zero.
struct TextOptionDescriptor {
  const char* optionName;
  const char* dscKey;
  std::intptr_t displayId;
  const char* defaultText;  // "" for every text option
  std::uint32_t maxLength;  // in characters
};

// Result of FindEntryByKeyword: the keyword of the matching entry (or of the default
// entry) and whether an entry matched.
struct KeywordMatch {
  const char* keyword;
  bool matched;
};

// Compares text (nullptr allowed) byte for byte, case-sensitive, with the keywords of
// the entries in use from entry 0 upward; the first equal one wins. Without a match
// (or for nullptr) the default entry's keyword and matched = false.
KeywordMatch FindEntryByKeyword(const OptionDescriptor& descriptor, const char* text);

namespace desc {

// List options, in record order.
extern const OptionDescriptor PageSize;
extern const OptionDescriptor Orientation;
extern const OptionDescriptor InputSlot;
extern const OptionDescriptor MediaType;
extern const OptionDescriptor Duplex;
extern const OptionDescriptor Imposition;
extern const OptionDescriptor ImpositionDirection;
extern const OptionDescriptor GutterAutoReducing;
extern const OptionDescriptor NupPageOrder;
extern const OptionDescriptor NupPagesPerSheet;
extern const OptionDescriptor TargetPaperSize;
extern const OptionDescriptor ScaleToFit;
extern const OptionDescriptor Rotate180;
extern const OptionDescriptor OutputTray;
extern const OptionDescriptor FinishSide;
extern const OptionDescriptor StapleMode;
extern const OptionDescriptor PunchMode;
extern const OptionDescriptor FoldMode;
extern const OptionDescriptor FoldInOut;
extern const OptionDescriptor ZFoldMixed;
extern const OptionDescriptor ZFoldRotateBig;
extern const OptionDescriptor OutputFace;
extern const OptionDescriptor ReverseOrder;
extern const OptionDescriptor Collate;
extern const OptionDescriptor JogMode;
extern const OptionDescriptor JobSepSheet;
extern const OptionDescriptor BookletSplitting;
extern const OptionDescriptor HeaderPage;
extern const OptionDescriptor FrontCover;
extern const OptionDescriptor BackCover;
extern const OptionDescriptor BookletCover;
extern const OptionDescriptor Resolution;
extern const OptionDescriptor OutputMode;
extern const OptionDescriptor Screening;
extern const OptionDescriptor ScreenFreq;
extern const OptionDescriptor LineSmoothing;
extern const OptionDescriptor GCDensity;
extern const OptionDescriptor GCContrast;
extern const OptionDescriptor PrintDensity;
extern const OptionDescriptor MaxDrops;
extern const OptionDescriptor RenderingIntent;
extern const OptionDescriptor RemapDeviceRGB;
extern const OptionDescriptor RGBInputProfile;
extern const OptionDescriptor RemapDeviceCMYK;
extern const OptionDescriptor CMYKInputProfile;
extern const OptionDescriptor OutputProfile;
extern const OptionDescriptor SeparateProfileTG;
extern const OptionDescriptor TextOutputProfile;
extern const OptionDescriptor UseSimulationProfile;
extern const OptionDescriptor SimulationProfile;
extern const OptionDescriptor FormPrintPattern;
extern const OptionDescriptor FormDataPrintFace;
extern const OptionDescriptor FormFrontBackSep;
extern const OptionDescriptor Form1;
extern const OptionDescriptor Form2;
extern const OptionDescriptor PrependJob;
extern const OptionDescriptor AppendJob;
extern const OptionDescriptor ShiftFrontBack;
extern const OptionDescriptor PrintPosition;
extern const OptionDescriptor OutputDev;
extern const OptionDescriptor RedirectToQueue;   // "Redirect-To-Queue"
extern const OptionDescriptor PrintAndHold;      // "Print-And-Hold"
extern const OptionDescriptor WaitAfterProof;
extern const OptionDescriptor PrivatePrinting;
extern const OptionDescriptor Delegation;
extern const OptionDescriptor SendWindowsMessage;
extern const OptionDescriptor EmailNotification;
extern const OptionDescriptor JobSplitting;

// Numeric options, in record order.
extern const NumericOptionDescriptor PageSizeWidth;
extern const NumericOptionDescriptor PageSizeHeight;
extern const NumericOptionDescriptor GutterDistance;
extern const NumericOptionDescriptor TargetPaperSizeWidth;
extern const NumericOptionDescriptor TargetPaperSizeHeight;
extern const NumericOptionDescriptor Zoom;
extern const NumericOptionDescriptor CyanGamma;
extern const NumericOptionDescriptor MagentaGamma;
extern const NumericOptionDescriptor YellowGamma;
extern const NumericOptionDescriptor BlackGamma;
extern const NumericOptionDescriptor HorizontalShift;
extern const NumericOptionDescriptor VerticalShift;
extern const NumericOptionDescriptor HoriShiftBack;
extern const NumericOptionDescriptor VertiShiftBack;
extern const NumericOptionDescriptor JobSplittingLimit;

// Preset lists of the numeric options passed to the core driver.
constexpr std::size_t kGutterDistancePresetCount = 15;
constexpr std::size_t kZoomPresetCount = 14;
constexpr std::size_t kGammaPresetCount = 20;
constexpr std::size_t kShiftPresetCount = 59;
extern const std::int32_t GutterDistancePresets[kGutterDistancePresetCount];
extern const std::int32_t ZoomPresets[kZoomPresetCount];
extern const std::int32_t CyanGammaPresets[kGammaPresetCount];
extern const std::int32_t MagentaGammaPresets[kGammaPresetCount];
extern const std::int32_t YellowGammaPresets[kGammaPresetCount];
extern const std::int32_t BlackGammaPresets[kGammaPresetCount];
extern const std::int32_t HorizontalShiftPresets[kShiftPresetCount];
extern const std::int32_t VerticalShiftPresets[kShiftPresetCount];
extern const std::int32_t HoriShiftBackPresets[kShiftPresetCount];
extern const std::int32_t VertiShiftBackPresets[kShiftPresetCount];

// Text options, in record order.
extern const TextOptionDescriptor QueueCodeWord;           // "Queue-Code-Word"
extern const TextOptionDescriptor PrivatePrintingBoxNumber;
extern const TextOptionDescriptor SendWindowsMessageTarget;
extern const TextOptionDescriptor EmailNotificationAddress;
extern const TextOptionDescriptor JobComment;              // "Job-Comment"

}  // namespace desc
}  // namespace qv
