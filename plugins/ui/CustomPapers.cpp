#include "CustomPapers.h"

#include <cstring>
#include <limits>

namespace qv {
namespace ui {

const char16_t kMaximumPaperName[] = u"Maximum";
const char16_t kMinimumPaperName[] = u"Minimum";

namespace {

// DeviceCapabilities answers -1 when it fails; that is no extent at all.
constexpr std::int32_t kCapabilityFailed = -1;

std::int32_t ClampToInt32(std::int64_t v) {
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

CustomPaperRecord ExtentRecord(const char16_t* name, const Extent& extent) {
  CustomPaperRecord record{};
  SetPaperName(&record, name);
  record.width = extent.width * 100;   // tenths of a millimetre to µm; at most 6553500
  record.length = extent.length * 100;
  return record;
}

bool IsExtentName(const std::u16string& name) {
  return name == kMaximumPaperName || name == kMinimumPaperName;
}

}  // namespace

std::u16string PaperName(const CustomPaperRecord& record) {
  // Copied out of the packed record first; the last character is never part of the name.
  char16_t name[kPaperNameLength];
  std::memcpy(name, record.name, sizeof name);
  std::size_t length = 0;
  while (length < kPaperNameLength - 1 && name[length] != 0) ++length;
  return std::u16string(name, length);
}

void SetPaperName(CustomPaperRecord* record, std::u16string_view name) {
  char16_t field[kPaperNameLength] = {};
  const std::size_t length = name.size() < kPaperNameLength - 1 ? name.size() : kPaperNameLength - 1;
  std::memcpy(field, name.data(), length * sizeof(char16_t));
  std::memcpy(record->name, field, sizeof field);
}

Extent MaxExtentFromAnswer(std::int32_t answer) {
  if (answer == kCapabilityFailed) return Extent{};
  const std::uint32_t v = static_cast<std::uint32_t>(answer);
  const std::uint32_t width = v & 0xFFFFu;
  const std::uint32_t length = v >> 16;
  return Extent{width / 10 * 10, length / 10 * 10};
}

Extent MinExtentFromAnswer(std::int32_t answer) {
  if (answer == kCapabilityFailed) return Extent{};
  const std::uint32_t v = static_cast<std::uint32_t>(answer);
  const std::uint32_t width = v & 0xFFFFu;
  const std::uint32_t length = v >> 16;
  return Extent{(width + 10) / 10 * 10 + 1, (length + 10) / 10 * 10 + 1};
}

Extent GetMaxExtent(PaperSpooler* printer) {
  std::int32_t answer = kCapabilityFailed;
  if (printer == nullptr || !printer->QueryExtent(ExtentKind::Maximum, &answer)) return Extent{};
  return MaxExtentFromAnswer(answer);
}

Extent GetMinExtent(PaperSpooler* printer) {
  std::int32_t answer = kCapabilityFailed;
  if (printer == nullptr || !printer->QueryExtent(ExtentKind::Minimum, &answer)) return Extent{};
  return MinExtentFromAnswer(answer);
}

std::int64_t MicrometresToTenths(std::uint32_t micrometres) {
  return (static_cast<std::int64_t>(micrometres) * 10 + 500) / 1000;
}

std::int64_t RoundToTenthMicrometres(std::uint32_t micrometres) {
  return MicrometresToTenths(micrometres) * 100;
}

PaperForm FormFromRecord(const CustomPaperRecord& record) {
  PaperForm form;
  form.name = PaperName(record);
  form.flags = kFormPrinter;
  const std::int64_t width = RoundToTenthMicrometres(record.width);
  const std::int64_t length = RoundToTenthMicrometres(record.length);
  form.width = ClampToInt32(width);
  form.length = ClampToInt32(length);
  form.left = record.leftMargin;
  form.top = record.topMargin;
  form.right = ClampToInt32(static_cast<std::int64_t>(form.width) - record.rightMargin);
  form.bottom = ClampToInt32(static_cast<std::int64_t>(form.length) - record.bottomMargin);
  return form;
}

bool HasCustomPapers(PaperSpooler* printer) {
  std::uint32_t size = 0;
  if (printer == nullptr || !printer->QueryValueSize(&size)) return false;
  return size != 0 && size % kCustomPaperRecordSize == 0;
}

bool LoadCustomPapers(PaperSpooler* printer, CustomPaperList* list) {
  if (printer == nullptr || list == nullptr) return false;
  std::uint32_t size = 0;
  if (!printer->QueryValueSize(&size)) size = 0;  // no value: nothing stored
  if (size % kCustomPaperRecordSize != 0) return false;
  if (size == 0) return true;
  try {
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t read = 0;
    if (!printer->ReadValue(bytes.data(), size, &read)) return false;
    if (read != size) return true;  // changed between the two reads: take nothing

    CustomPaperList loaded;
    loaded.reserve(size / kCustomPaperRecordSize);
    bool haveMax = false, haveMin = false;
    Extent maxExtent, minExtent;
    for (std::uint32_t at = 0; at < size; at += kCustomPaperRecordSize) {
      CustomPaperRecord record;
      std::memcpy(&record, bytes.data() + at, kCustomPaperRecordSize);
      record.name[kPaperNameLength - 1] = 0;  // a stored name may lack its terminator
      const std::u16string name = PaperName(record);
      if (name == kMaximumPaperName) {
        if (!haveMax) maxExtent = GetMaxExtent(printer), haveMax = true;
        record.width = maxExtent.width * 100;
        record.length = maxExtent.length * 100;
      } else if (name == kMinimumPaperName) {
        if (!haveMin) minExtent = GetMinExtent(printer), haveMin = true;
        record.width = minExtent.width * 100;
        record.length = minExtent.length * 100;
      }
      loaded.push_back(record);
    }
    list->insert(list->end(), loaded.begin(), loaded.end());
    return true;
  } catch (...) {
    return false;
  }
}

void SyncForm(PaperSpooler* printer, const CustomPaperRecord& record) {
  if (printer == nullptr) return;
  const PaperForm wanted = FormFromRecord(record);
  PaperForm existing;
  if (printer->FindForm(wanted.name, &existing)) {
    if (existing.flags != wanted.flags || existing.width != wanted.width ||
        existing.length != wanted.length || existing.left != wanted.left ||
        existing.top != wanted.top || existing.right != wanted.right ||
        existing.bottom != wanted.bottom) {
      printer->ReplaceForm(wanted);
    }
  } else {
    printer->CreateForm(wanted);
  }
}

bool SaveCustomPapers(PaperSpooler* printer, const CustomPaperList& list) {
  if (printer == nullptr) return false;
  try {
    // The extent records are always made afresh; a name stands once, its last record
    // taking the place of its first.
    CustomPaperList working;
    std::vector<std::u16string> names;
    for (CustomPaperRecord record : list) {
      record.name[kPaperNameLength - 1] = 0;
      std::u16string name = PaperName(record);
      if (IsExtentName(name)) continue;
      bool replaced = false;
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
          working[i] = record;
          replaced = true;
          break;
        }
      }
      if (!replaced) {
        working.push_back(record);
        names.push_back(std::move(name));
      }
    }
    const std::uint64_t count = working.size() + 2;
    if (count * kCustomPaperRecordSize > std::numeric_limits<std::uint32_t>::max()) return false;

    CustomPaperList records;
    records.reserve(static_cast<std::size_t>(count));
    for (const CustomPaperRecord& record : working) {
      records.push_back(record);
      SyncForm(printer, record);
    }
    records.push_back(ExtentRecord(kMaximumPaperName, GetMaxExtent(printer)));
    SyncForm(printer, records.back());
    records.push_back(ExtentRecord(kMinimumPaperName, GetMinExtent(printer)));
    SyncForm(printer, records.back());

    return printer->WriteValue(reinterpret_cast<const std::uint8_t*>(records.data()),
                               static_cast<std::uint32_t>(count * kCustomPaperRecordSize));
  } catch (...) {
    return false;
  }
}

std::unique_ptr<PaperSpooler> OpenPrinterByName(PrinterDirectory& directory,
                                                const std::u16string& name) {
  // Every printer name begins with the empty name: that would pick an arbitrary printer.
  if (name.empty()) return nullptr;
  if (std::unique_ptr<PaperSpooler> printer = directory.Open(name)) return printer;
  for (const std::u16string& candidate : directory.LocalPrinterNames()) {
    if (candidate.size() > name.size() && candidate.compare(0, name.size(), name) == 0) {
      if (std::unique_ptr<PaperSpooler> printer = directory.Open(candidate)) return printer;
    }
  }
  return nullptr;
}

void HandlePrinterEvent(PrinterDirectory& directory, const std::u16string& printerName) {
  try {
    if (std::unique_ptr<PaperSpooler> printer = OpenPrinterByName(directory, printerName)) {
      SaveCustomPapers(printer.get(), CustomPaperList{});
    }
  } catch (...) {
    // Out of memory while listing printers: the event changes nothing.
  }
}

bool HandleUpgradePrinter(PrinterDirectory& directory, const std::u16string& printerName) {
  try {
    if (std::unique_ptr<PaperSpooler> printer = OpenPrinterByName(directory, printerName)) {
      if (!HasCustomPapers(printer.get())) SaveCustomPapers(printer.get(), CustomPaperList{});
    }
  } catch (...) {
    // Out of memory while listing printers: the upgrade changes nothing.
  }
  return true;
}

}  // namespace ui
}  // namespace qv
