#include "FeatureOptions.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "OptionDescriptors.h"

namespace qv {
namespace ui {
namespace {

// How an option's record field becomes its option keyword.
enum class Kind {
  List,      // 8-bit index into the descriptor's entries; out of range: the default entry
  List32,    // the same with a 32-bit field
  Boolean,   // zero: entry 0 ("False"), anything else: entry 1 ("True")
  Staple,    // StapleMode: one staple follows FinishSide
  Profile,   // 32-digit profile id text, looked up among the entry keywords
  NumberU32, // scaled by the descriptor, snapped to its presets, unsigned decimal
  NumberU16, // unscaled 16-bit value, snapped, unsigned decimal
  NumberS32, // scaled (truncating toward zero), snapped, signed decimal
};

struct Selection {
  Kind kind;
  std::size_t offset;                      // of the record field
  const OptionDescriptor* list;            // list kinds
  const NumericOptionDescriptor* number;   // numeric kinds
  const std::int32_t* presets;             // numeric kinds
  std::size_t presetCount;
};

#define QV_LIST(field) {Kind::List, offsetof(PrivateDevmodeBody, field), &desc::field, nullptr, nullptr, 0}
#define QV_LIST32(field) {Kind::List32, offsetof(PrivateDevmodeBody, field), &desc::field, nullptr, nullptr, 0}
#define QV_BOOL(field) {Kind::Boolean, offsetof(PrivateDevmodeBody, field), &desc::field, nullptr, nullptr, 0}
#define QV_PROFILE(field) {Kind::Profile, offsetof(PrivateDevmodeBody, field), &desc::field, nullptr, nullptr, 0}
#define QV_NUMBER(kind, field, count) \
  {kind, offsetof(PrivateDevmodeBody, field), nullptr, &desc::field, desc::field##Presets, count}

// Record order, without PageSize and InputSlot (the driver keeps those itself from the
// public DEVMODE), the paper extents and the options that have no PPD feature keyword.
const Selection kSelections[] = {
    QV_LIST(Orientation),
    QV_LIST(MediaType),
    QV_LIST(Duplex),
    QV_LIST(Imposition),
    QV_LIST(ImpositionDirection),
    QV_NUMBER(Kind::NumberU32, GutterDistance, desc::kGutterDistancePresetCount),
    QV_BOOL(GutterAutoReducing),
    QV_LIST(NupPageOrder),
    QV_LIST(NupPagesPerSheet),
    QV_LIST(TargetPaperSize),
    QV_BOOL(ScaleToFit),
    QV_NUMBER(Kind::NumberU16, Zoom, desc::kZoomPresetCount),
    QV_BOOL(Rotate180),
    QV_LIST(OutputTray),
    QV_LIST(FinishSide),
    {Kind::Staple, offsetof(PrivateDevmodeBody, StapleMode), &desc::StapleMode, nullptr, nullptr, 0},
    QV_LIST(PunchMode),
    QV_LIST(FoldMode),
    QV_LIST(FoldInOut),
    QV_BOOL(ZFoldMixed),
    QV_BOOL(ZFoldRotateBig),
    QV_LIST(OutputFace),
    QV_BOOL(ReverseOrder),
    QV_LIST(Collate),
    QV_BOOL(JogMode),
    QV_LIST(JobSepSheet),
    QV_LIST(BookletSplitting),
    QV_BOOL(HeaderPage),
    QV_LIST(FrontCover),
    QV_LIST(BackCover),
    QV_LIST(BookletCover),
    QV_LIST(Resolution),
    QV_LIST(OutputMode),
    QV_LIST(Screening),
    QV_LIST(ScreenFreq),
    QV_LIST(LineSmoothing),
    QV_LIST(GCDensity),
    QV_LIST(GCContrast),
    QV_LIST(PrintDensity),
    QV_LIST(MaxDrops),
    QV_NUMBER(Kind::NumberU16, CyanGamma, desc::kGammaPresetCount),
    QV_NUMBER(Kind::NumberU16, MagentaGamma, desc::kGammaPresetCount),
    QV_NUMBER(Kind::NumberU16, YellowGamma, desc::kGammaPresetCount),
    QV_NUMBER(Kind::NumberU16, BlackGamma, desc::kGammaPresetCount),
    QV_LIST(RenderingIntent),
    QV_BOOL(RemapDeviceRGB),
    QV_PROFILE(RGBInputProfile),
    QV_LIST(RemapDeviceCMYK),
    QV_PROFILE(CMYKInputProfile),
    QV_PROFILE(OutputProfile),
    QV_BOOL(SeparateProfileTG),
    QV_PROFILE(TextOutputProfile),
    QV_LIST(FormPrintPattern),
    QV_LIST(FormDataPrintFace),
    QV_BOOL(FormFrontBackSep),
    QV_LIST32(Form1),
    QV_LIST32(Form2),
    QV_LIST32(PrependJob),
    QV_LIST32(AppendJob),
    QV_NUMBER(Kind::NumberS32, HorizontalShift, desc::kShiftPresetCount),
    QV_NUMBER(Kind::NumberS32, VerticalShift, desc::kShiftPresetCount),
    QV_BOOL(ShiftFrontBack),
    QV_NUMBER(Kind::NumberS32, HoriShiftBack, desc::kShiftPresetCount),
    QV_NUMBER(Kind::NumberS32, VertiShiftBack, desc::kShiftPresetCount),
    QV_LIST(PrintPosition),
    QV_LIST(OutputDev),
    QV_BOOL(WaitAfterProof),
    QV_BOOL(Delegation),
};

#undef QV_LIST
#undef QV_LIST32
#undef QV_BOOL
#undef QV_PROFILE
#undef QV_NUMBER

static_assert(sizeof(kSelections) / sizeof(kSelections[0]) == kFeatureOptionCount,
              "one selection per option sent to the core driver");

// StapleMode's one-staple entry has no keyword of its own: it is sent as the left or
// right single staple by the finishing side.
constexpr std::uint32_t kStapleOne = 2;
constexpr std::uint32_t kStapleLeftEntry = 3;
constexpr std::uint32_t kStapleRightEntry = 4;
constexpr std::uint8_t kFinishSideRight = 2;

// The record is packed: fields are read by copying their bytes.
template <typename T>
T ReadField(const PrivateDevmodeBody& record, std::size_t offset) {
  T value;
  std::memcpy(&value, reinterpret_cast<const unsigned char*>(&record) + offset, sizeof value);
  return value;
}

const char* EntryKeyword(const OptionDescriptor& d, std::uint32_t index) {
  const std::uint32_t count = d.entryCount < kMaxOptionEntries ? d.entryCount : kMaxOptionEntries;
  if (index < count) return d.entries[index].keyword;
  return d.defaultIndex < kMaxOptionEntries ? d.entries[d.defaultIndex].keyword : nullptr;
}

// value * numerator / denominator in 64 bits, the division truncating toward zero.
std::int64_t Scale(std::int64_t value, const NumericOptionDescriptor& d) {
  const std::int64_t denominator = d.denominator == 0 ? 1 : d.denominator;
  return value * static_cast<std::int64_t>(d.numerator) / denominator;
}

template <typename T>
T Clamp(std::int64_t v) {
  if (v < static_cast<std::int64_t>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
  if (v > static_cast<std::int64_t>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  return static_cast<T>(v);
}

// The option keyword of one selection; false when the option sends nothing.
bool OptionKeyword(const PrivateDevmodeBody& record, const Selection& s, std::string* out) {
  const char* keyword = nullptr;
  switch (s.kind) {
    case Kind::List:
      keyword = EntryKeyword(*s.list, ReadField<std::uint8_t>(record, s.offset));
      break;
    case Kind::List32:
      keyword = EntryKeyword(*s.list, ReadField<std::uint32_t>(record, s.offset));
      break;
    case Kind::Boolean:
      keyword = EntryKeyword(*s.list, ReadField<std::uint8_t>(record, s.offset) == 0 ? 0 : 1);
      break;
    case Kind::Staple: {
      const std::uint8_t mode = ReadField<std::uint8_t>(record, s.offset);
      if (mode == kStapleOne) {
        keyword = EntryKeyword(*s.list, record.FinishSide == kFinishSideRight ? kStapleRightEntry
                                                                               : kStapleLeftEntry);
      } else {
        keyword = EntryKeyword(*s.list, mode);
      }
      break;
    }
    case Kind::Profile: {
      // The stored text need not be terminated: at most the field is read.
      char text[kProfileIdLength + 1];
      std::memcpy(text, reinterpret_cast<const unsigned char*>(&record) + s.offset, sizeof text);
      text[kProfileIdLength] = '\0';
      keyword = FindEntryByKeyword(*s.list, text).keyword;
      break;
    }
    case Kind::NumberU32: {
      const std::uint32_t scaled =
          Clamp<std::uint32_t>(Scale(ReadField<std::uint32_t>(record, s.offset), *s.number));
      *out = std::to_string(SnapToList(s.presets, s.presetCount, scaled));
      return true;
    }
    case Kind::NumberU16: {
      // Sent unscaled: these descriptors scale 1 / 1.
      const std::uint16_t value = ReadField<std::uint16_t>(record, s.offset);
      *out = std::to_string(SnapToList(s.presets, s.presetCount, value));
      return true;
    }
    case Kind::NumberS32: {
      const std::int32_t scaled =
          Clamp<std::int32_t>(Scale(ReadField<std::int32_t>(record, s.offset), *s.number));
      *out = std::to_string(SnapToList(s.presets, s.presetCount, scaled));
      return true;
    }
  }
  if (keyword == nullptr) return false;
  *out = keyword;
  return true;
}

const char* FeatureKeyword(const Selection& s) {
  return s.list != nullptr ? s.list->ppdKeyword : s.number->ppdKeyword;
}

// Nearest member by the rules in the header; Compare is the type the comparison uses.
template <typename Compare>
Compare Snap(const std::int32_t* list, std::size_t count, Compare value) {
  if (list == nullptr || count == 0) return value;
  const auto at = [list](std::size_t i) { return static_cast<Compare>(list[i]); };
  if (count == 1) return at(0);
  std::size_t i = 0;
  for (;;) {
    const Compare entry = at(i);
    if (entry == value) return entry;
    if (i == 0 && value < entry) return entry;
    const Compare next = at(i + 1);
    if (value < next) {
      // Differences in 64 bits: a signed list may span more than 31 bits.
      const std::int64_t below = static_cast<std::int64_t>(value) - static_cast<std::int64_t>(entry);
      const std::int64_t above = static_cast<std::int64_t>(next) - static_cast<std::int64_t>(value);
      return below < above ? entry : next;
    }
    ++i;
    if (i == count - 1) return at(i);
  }
}

void* MallocBlock(std::size_t size) { return std::malloc(size); }
void FreeBlock(void* block) { std::free(block); }

}  // namespace

void BuildFeatureOptions(const PrivateDevmodeBody& record, FeatureOptionList* list) {
  if (list == nullptr) return;
  list->clear();
  list->reserve(kFeatureOptionCount);
  for (const Selection& s : kSelections) {
    const char* feature = FeatureKeyword(s);
    if (feature == nullptr) continue;
    std::string option;
    if (!OptionKeyword(record, s, &option)) continue;
    list->push_back(FeatureOption{feature, std::move(option)});
  }
}

std::size_t SelectionBufferSize(const FeatureOptionList& list) {
  std::size_t size = 1;
  for (const FeatureOption& pair : list) size += pair.feature.size() + pair.option.size() + 2;
  return size;
}

bool WriteSelectionBuffer(const FeatureOptionList& list, char* buffer, std::size_t size) {
  if (buffer == nullptr || size != SelectionBufferSize(list)) return false;
  char* p = buffer;
  for (const FeatureOption& pair : list) {
    std::memcpy(p, pair.feature.c_str(), pair.feature.size() + 1);
    p += pair.feature.size() + 1;
    std::memcpy(p, pair.option.c_str(), pair.option.size() + 1);
    p += pair.option.size() + 1;
  }
  *p = '\0';
  return true;
}

SelectionMemory DefaultSelectionMemory() { return SelectionMemory{&MallocBlock, &FreeBlock}; }

bool SendFeatureOptions(const PrivateDevmodeBody& record, FeatureOptionSink& sink,
                        const SelectionMemory& memory) {
  // Runs inside the driver's host: an exception must not leave here.
  try {
    FeatureOptionList list;
    BuildFeatureOptions(record, &list);
    const std::size_t size = SelectionBufferSize(list);
    if (size > std::numeric_limits<std::uint32_t>::max()) return false;
    if (memory.allocate == nullptr || memory.release == nullptr) return false;
    std::unique_ptr<char, void (*)(void*)> buffer(static_cast<char*>(memory.allocate(size)),
                                                  memory.release);
    if (!buffer) return false;
    WriteSelectionBuffer(list, buffer.get(), size);
    sink.SetOptions(buffer.get(), static_cast<std::uint32_t>(size));
    return true;
  } catch (...) {
    return false;
  }
}

std::uint32_t SnapToList(const std::int32_t* list, std::size_t count, std::uint32_t value) {
  return Snap<std::uint32_t>(list, count, value);
}

std::uint32_t SnapToList(const std::int32_t* list, std::size_t count, std::uint16_t value) {
  return Snap<std::uint32_t>(list, count, value);
}

std::int32_t SnapToList(const std::int32_t* list, std::size_t count, std::int32_t value) {
  return Snap<std::int32_t>(list, count, value);
}

}  // namespace ui
}  // namespace qv
