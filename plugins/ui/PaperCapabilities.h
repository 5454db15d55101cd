// Paper capabilities: the custom papers of "LastCustomPapers" offered to applications in
// place of the driver's last paper (DeviceCapabilities DC_PAPERS, DC_PAPERSIZE,
// DC_PAPERNAMES), and the once-per-process reset at the first DC_FIELDS query. Portable
// behind PaperSpooler (CustomPapers.h).
//
// Entry point:
//   AppendCustomPapers(printer, capability, output, dwOld[, &resetDone]) -> new answer
// The Windows shell (win/Papers.h) has the form IPrintOemUI::DeviceCapabilities calls.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "CustomPapers.h"

namespace qv {
namespace ui {

// DeviceCapabilities capabilities (wingdi.h's DC_* values).
constexpr std::uint16_t kCapFields = 1;
constexpr std::uint16_t kCapPapers = 2;      // WORD paper id per entry
constexpr std::uint16_t kCapPaperSize = 3;   // POINT per entry: width, length in tenths of mm
constexpr std::uint16_t kCapPaperNames = 16; // 64 UTF-16 characters per entry

constexpr std::size_t kPaperNameEntryLength = 64;

// Set by the first DC_FIELDS query of this process that carries a printer; never cleared.
std::atomic<bool>& ProcessPaperResetDone();

// The driver's answer dwOld adjusted for the custom papers of printer (null: no handle).
// With n > 0 papers the answer is dwOld + n - 1 (the papers take the driver's last entry)
// and, with an output buffer, they are written into entries dwOld - 1 onward. A driver
// answer of 0 has no last entry: the papers go into entries 0 to n - 1 and the answer is
// n. Nothing is ever written before output. Other capabilities, no papers or an unusable
// value: dwOld. A count query (output null) writes nothing.
std::uint32_t AppendCustomPapers(PaperSpooler* printer, std::uint16_t capability, void* output,
                                 std::uint32_t dwOld,
                                 std::atomic<bool>& resetDone = ProcessPaperResetDone());

}  // namespace ui
}  // namespace qv
