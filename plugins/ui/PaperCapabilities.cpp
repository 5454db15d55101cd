#include "PaperCapabilities.h"

#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace qv {
namespace ui {
namespace {

std::uint16_t PaperId(const std::vector<std::u16string>& forms, const std::u16string& name) {
  for (std::size_t i = 0; i < forms.size(); ++i) {
    if (forms[i] == name) return static_cast<std::uint16_t>(i + 1);
  }
  return static_cast<std::uint16_t>(forms.size() + 1);
}

// Entries are written byte-wise: the application's buffer need not be aligned.
void WriteEntries(PaperSpooler* printer, std::uint16_t capability, unsigned char* output,
                  std::size_t first, const CustomPaperList& papers) {
  switch (capability) {
    case kCapPapers: {
      std::vector<std::u16string> forms;
      if (!printer->EnumFormNames(&forms)) forms.clear();  // unreadable: no forms, id 1
      for (std::size_t i = 0; i < papers.size(); ++i) {
        const std::uint16_t id = PaperId(forms, PaperName(papers[i]));
        std::memcpy(output + (first + i) * sizeof id, &id, sizeof id);
      }
      break;
    }
    case kCapPaperSize:
      for (std::size_t i = 0; i < papers.size(); ++i) {
        // Tenths of a millimetre fit a LONG for every 32-bit µm value.
        const std::int32_t point[2] = {static_cast<std::int32_t>(MicrometresToTenths(papers[i].width)),
                                       static_cast<std::int32_t>(MicrometresToTenths(papers[i].length))};
        std::memcpy(output + (first + i) * sizeof point, point, sizeof point);
      }
      break;
    case kCapPaperNames:
      for (std::size_t i = 0; i < papers.size(); ++i) {
        char16_t entry[kPaperNameEntryLength] = {};
        const std::u16string name = PaperName(papers[i]);
        const std::size_t length = name.size() < kPaperNameEntryLength ? name.size() : kPaperNameEntryLength;
        std::memcpy(entry, name.data(), length * sizeof(char16_t));
        std::memcpy(output + (first + i) * sizeof entry, entry, sizeof entry);
      }
      break;
    default:
      break;
  }
}

}  // namespace

std::atomic<bool>& ProcessPaperResetDone() {
  static std::atomic<bool> done{false};
  return done;
}

std::uint32_t AppendCustomPapers(PaperSpooler* printer, std::uint16_t capability, void* output,
                                 std::uint32_t dwOld, std::atomic<bool>& resetDone) {
  try {
    if (capability == kCapFields && !resetDone.load(std::memory_order_relaxed)) {
      if (printer == nullptr) return dwOld;
      resetDone.store(true, std::memory_order_relaxed);
      SaveCustomPapers(printer, CustomPaperList{});
    }
    if (capability != kCapPapers && capability != kCapPaperSize && capability != kCapPaperNames) {
      return dwOld;
    }
    CustomPaperList papers;
    if (!LoadCustomPapers(printer, &papers) || papers.empty()) return dwOld;

    // The papers replace the driver's last entry; without one they start at entry 0.
    const std::uint64_t first = dwOld == 0 ? 0 : std::uint64_t{dwOld} - 1;
    const std::uint64_t answer = first + papers.size();
    if (answer > std::numeric_limits<std::uint32_t>::max()) return dwOld;
    if (output != nullptr) {
      WriteEntries(printer, capability, static_cast<unsigned char*>(output),
                   static_cast<std::size_t>(first), papers);
    }
    return static_cast<std::uint32_t>(answer);
  } catch (...) {
    return dwOld;
  }
}

}  // namespace ui
}  // namespace qv
