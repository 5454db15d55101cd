// Paper tables and the matching between DEVMODE papers and the record's page sizes.
//
// Extents in the tables are micrometres, width first. DEVMODE extents are tenths of a
// millimetre. A page-size index is 0..18 for a named paper (PageSizeTable row) and 19
// for a custom paper; DMPAPER id 256 (DMPAPER_USER) is the answer when no id fits.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

struct PaperRow {
  std::int32_t id;      // DMPAPER id (WindowsPaperTable) or page-size index (PageSizeTable)
  std::int32_t width;   // micrometres
  std::int32_t length;  // micrometres
};

constexpr std::size_t kWindowsPaperCount = 116;
constexpr std::size_t kPageSizeCount = 19;
constexpr std::uint32_t kCustomPageSize = 19;   // page-size index of a custom paper
constexpr std::int32_t kDmPaperUser = 256;      // DMPAPER_USER: no id fits
constexpr std::int32_t kDmPaperLetter = 1;
constexpr std::int32_t kDmPaperA4 = 9;

// The documented DMPAPER sizes, ids 1..118 ascending without the reserved 48 and 49.
extern const PaperRow WindowsPaperTable[kWindowsPaperCount];
// One row per PageSize entry, in index order (PostScript sizes rounded to micrometres).
extern const PaperRow PageSizeTable[kPageSizeCount];

// Extent of page size `index` in units of 1/unitsPerMm mm (rounded to nearest, halves
// up, when unitsPerMm divides 1000 and is below 1000). false when no row has that index
// or unitsPerMm is 0; width and length are then left alone.
bool PageSizeExtent(std::uint32_t index, std::uint32_t unitsPerMm, std::uint32_t& width,
                    std::uint32_t& length);

// Page-size index 0..19 for a DEVMODE paper: paperId 1..117 is looked up in
// WindowsPaperTable first (its size replaces the given one); then exact (+-1 unit of
// micrometres or finer), then nearest by area within 0.882 mm, else 19. Width and length
// are in units of 1/unitsPerMm mm; a zero or negative extent matches no paper (19).
std::uint32_t PaperIndexFromSize(std::int32_t paperId, std::int32_t width, std::int32_t length,
                                 std::uint32_t unitsPerMm);

// DMPAPER id for an extent in tenths of a millimetre (exact, then nearest by area within
// 0.882 mm, over every WindowsPaperTable row); 256 when none fits or an extent is zero or
// negative.
std::int32_t DmPaperFromSize(std::int32_t width, std::int32_t length);

// DMPAPER id of page size `index` (its extent rounded to tenths of a millimetre), or 256.
std::int32_t DmPaperFromPageSize(std::uint32_t index);

}  // namespace qv
