// The two paper tables and the matching between DEVMODE papers, DMPAPER ids and the
// record's page-size indexes. All extents are micrometres unless a unit is given.
//
// Arithmetic is done in 64 bits throughout: the inputs come from DEVMODE records (signed
// 16-bit values widened by the callers) and from callers' own units, and area products
// of micrometre extents exceed 32 bits.
#include "PaperTables.h"


namespace qv {

// The documented size of every DMPAPER constant from 1 to 118 (48 and 49 are reserved),
// converted exactly to micrometres (1 in = 25400 um).
const PaperRow WindowsPaperTable[kWindowsPaperCount] = {
    {1, 215900, 279400},  // DMPAPER_LETTER (8 1/2 x 11 in)
    {2, 215900, 279400},  // DMPAPER_LETTERSMALL (8 1/2 x 11 in)
    {3, 279400, 431800},  // DMPAPER_TABLOID (11 x 17 in)
    {4, 431800, 279400},  // DMPAPER_LEDGER (17 x 11 in)
    {5, 215900, 355600},  // DMPAPER_LEGAL (8 1/2 x 14 in)
    {6, 139700, 215900},  // DMPAPER_STATEMENT (5 1/2 x 8 1/2 in)
    {7, 184150, 266700},  // DMPAPER_EXECUTIVE (7 1/4 x 10 1/2 in)
    {8, 297000, 420000},  // DMPAPER_A3 (297 x 420 mm)
    {9, 210000, 297000},  // DMPAPER_A4 (210 x 297 mm)
    {10, 210000, 297000},  // DMPAPER_A4SMALL (210 x 297 mm)
    {11, 148000, 210000},  // DMPAPER_A5 (148 x 210 mm)
    {12, 250000, 354000},  // DMPAPER_B4 (250 x 354)
    {13, 182000, 257000},  // DMPAPER_B5 (182 x 257 mm)
    {14, 215900, 330200},  // DMPAPER_FOLIO (8 1/2 x 13 in)
    {15, 215000, 275000},  // DMPAPER_QUARTO (215 x 275 mm)
    {16, 254000, 355600},  // DMPAPER_10X14 (10x14 in)
    {17, 279400, 431800},  // DMPAPER_11X17 (11x17 in)
    {18, 215900, 279400},  // DMPAPER_NOTE (8 1/2 x 11 in)
    {19, 98425, 225425},  // DMPAPER_ENV_9 (3 7/8 x 8 7/8)
    {20, 104775, 241300},  // DMPAPER_ENV_10 (4 1/8 x 9 1/2)
    {21, 114300, 263525},  // DMPAPER_ENV_11 (4 1/2 x 10 3/8)
    {22, 120650, 279400},  // DMPAPER_ENV_12 (4 3/4 x 11)
    {23, 127000, 292100},  // DMPAPER_ENV_14 (5 x 11 1/2)
    {24, 431800, 558800},  // DMPAPER_CSHEET (17 x 22 in)
    {25, 558800, 863600},  // DMPAPER_DSHEET (22 x 34 in)
    {26, 863600, 1117600},  // DMPAPER_ESHEET (34 x 44 in)
    {27, 110000, 220000},  // DMPAPER_ENV_DL (110 x 220mm)
    {28, 162000, 229000},  // DMPAPER_ENV_C5 (162 x 229 mm)
    {29, 324000, 458000},  // DMPAPER_ENV_C3 (324 x 458 mm)
    {30, 229000, 324000},  // DMPAPER_ENV_C4 (229 x 324 mm)
    {31, 114000, 162000},  // DMPAPER_ENV_C6 (114 x 162 mm)
    {32, 114000, 229000},  // DMPAPER_ENV_C65 (114 x 229 mm)
    {33, 250000, 353000},  // DMPAPER_ENV_B4 (250 x 353 mm)
    {34, 176000, 250000},  // DMPAPER_ENV_B5 (176 x 250 mm)
    {35, 176000, 125000},  // DMPAPER_ENV_B6 (176 x 125 mm)
    {36, 110000, 230000},  // DMPAPER_ENV_ITALY (110 x 230 mm)
    {37, 98425, 190500},  // DMPAPER_ENV_MONARCH (3.875 x 7.5 in)
    {38, 92075, 165100},  // DMPAPER_ENV_PERSONAL (3 5/8 x 6 1/2 in)
    {39, 377825, 279400},  // DMPAPER_FANFOLD_US (14 7/8 x 11 in)
    {40, 215900, 304800},  // DMPAPER_FANFOLD_STD_GERMAN (8 1/2 x 12 in)
    {41, 215900, 330200},  // DMPAPER_FANFOLD_LGL_GERMAN (8 1/2 x 13 in)
    {42, 250000, 353000},  // DMPAPER_ISO_B4 (250 x 353 mm)
    {43, 100000, 148000},  // DMPAPER_JAPANESE_POSTCARD (100 x 148 mm)
    {44, 228600, 279400},  // DMPAPER_9X11 (9 x 11 in)
    {45, 254000, 279400},  // DMPAPER_10X11 (10 x 11 in)
    {46, 381000, 279400},  // DMPAPER_15X11 (15 x 11 in)
    {47, 220000, 220000},  // DMPAPER_ENV_INVITE (220 x 220 mm)
    {50, 241300, 304800},  // DMPAPER_LETTER_EXTRA (9 1/2 x 12 in)
    {51, 241300, 381000},  // DMPAPER_LEGAL_EXTRA (9 1/2 x 15 in)
    {52, 296926, 457200},  // DMPAPER_TABLOID_EXTRA (11.69 x 18 in)
    {53, 235458, 322326},  // DMPAPER_A4_EXTRA (9.27 x 12.69 in)
    {54, 215900, 279400},  // DMPAPER_LETTER_TRANSVERSE (8 1/2 x 11 in)
    {55, 210000, 297000},  // DMPAPER_A4_TRANSVERSE (210 x 297 mm)
    {56, 241300, 304800},  // DMPAPER_LETTER_EXTRA_TRANSVERSE (9 1/2 x 12 in)
    {57, 227000, 356000},  // DMPAPER_A_PLUS (227 x 356 mm)
    {58, 305000, 487000},  // DMPAPER_B_PLUS (305 x 487 mm)
    {59, 215900, 322326},  // DMPAPER_LETTER_PLUS (8.5 x 12.69 in)
    {60, 210000, 330000},  // DMPAPER_A4_PLUS (210 x 330 mm)
    {61, 148000, 210000},  // DMPAPER_A5_TRANSVERSE (148 x 210 mm)
    {62, 182000, 257000},  // DMPAPER_B5_TRANSVERSE (182 x 257 mm)
    {63, 322000, 445000},  // DMPAPER_A3_EXTRA (322 x 445 mm)
    {64, 174000, 235000},  // DMPAPER_A5_EXTRA (174 x 235 mm)
    {65, 201000, 276000},  // DMPAPER_B5_EXTRA (201 x 276 mm)
    {66, 420000, 594000},  // DMPAPER_A2 (420 x 594 mm)
    {67, 297000, 420000},  // DMPAPER_A3_TRANSVERSE (297 x 420 mm)
    {68, 322000, 445000},  // DMPAPER_A3_EXTRA_TRANSVERSE (322 x 445 mm)
    {69, 200000, 148000},  // DMPAPER_DBL_JAPANESE_POSTCARD (200 x 148 mm)
    {70, 105000, 148000},  // DMPAPER_A6 (105 x 148 mm)
    {71, 240000, 332000},  // DMPAPER_JENV_KAKU2 (240 x 332 mm)
    {72, 216000, 277000},  // DMPAPER_JENV_KAKU3 (216 x 277 mm)
    {73, 120000, 235000},  // DMPAPER_JENV_CHOU3 (120 x 235 mm)
    {74, 90000, 205000},  // DMPAPER_JENV_CHOU4 (90 x 205 mm)
    {75, 279400, 215900},  // DMPAPER_LETTER_ROTATED (11 x 8 1/2 11 in)
    {76, 420000, 297000},  // DMPAPER_A3_ROTATED (420 x 297 mm)
    {77, 297000, 210000},  // DMPAPER_A4_ROTATED (297 x 210 mm)
    {78, 210000, 148000},  // DMPAPER_A5_ROTATED (210 x 148 mm)
    {79, 364000, 257000},  // DMPAPER_B4_JIS_ROTATED (364 x 257 mm)
    {80, 257000, 182000},  // DMPAPER_B5_JIS_ROTATED (257 x 182 mm)
    {81, 148000, 100000},  // DMPAPER_JAPANESE_POSTCARD_ROTATED (148 x 100 mm)
    {82, 148000, 200000},  // DMPAPER_DBL_JAPANESE_POSTCARD_ROTATED (148 x 200 mm)
    {83, 148000, 105000},  // DMPAPER_A6_ROTATED (148 x 105 mm)
    {84, 332000, 240000},  // DMPAPER_JENV_KAKU2_ROTATED (332 x 240 mm)
    {85, 277000, 216000},  // DMPAPER_JENV_KAKU3_ROTATED (277 x 216 mm)
    {86, 235000, 120000},  // DMPAPER_JENV_CHOU3_ROTATED (235 x 120 mm)
    {87, 205000, 90000},  // DMPAPER_JENV_CHOU4_ROTATED (205 x 90 mm)
    {88, 128000, 182000},  // DMPAPER_B6_JIS (128 x 182 mm)
    {89, 182000, 128000},  // DMPAPER_B6_JIS_ROTATED (182 x 128 mm)
    {90, 304800, 279400},  // DMPAPER_12X11 (12 x 11 in)
    {91, 105000, 235000},  // DMPAPER_JENV_YOU4 (105 x 235 mm)
    {92, 235000, 105000},  // DMPAPER_JENV_YOU4_ROTATED (235 x 105 mm)
    {93, 146000, 215000},  // DMPAPER_P16K (146 x 215 mm)
    {94, 97000, 151000},  // DMPAPER_P32K (97 x 151 mm)
    {95, 97000, 151000},  // DMPAPER_P32KBIG (97 x 151 mm)
    {96, 102000, 165000},  // DMPAPER_PENV_1 (102 x 165 mm)
    {97, 102000, 176000},  // DMPAPER_PENV_2 (102 x 176 mm)
    {98, 125000, 176000},  // DMPAPER_PENV_3 (125 x 176 mm)
    {99, 110000, 208000},  // DMPAPER_PENV_4 (110 x 208 mm)
    {100, 110000, 220000},  // DMPAPER_PENV_5 (110 x 220 mm)
    {101, 120000, 230000},  // DMPAPER_PENV_6 (120 x 230 mm)
    {102, 160000, 230000},  // DMPAPER_PENV_7 (160 x 230 mm)
    {103, 120000, 309000},  // DMPAPER_PENV_8 (120 x 309 mm)
    {104, 229000, 324000},  // DMPAPER_PENV_9 (229 x 324 mm)
    {105, 324000, 458000},  // DMPAPER_PENV_10 (324 x 458 mm)
    {106, 215000, 146000},  // DMPAPER_P16K_ROTATED (215 x 146 mm)
    {107, 151000, 97000},  // DMPAPER_P32K_ROTATED (151 x 97 mm)
    {108, 151000, 97000},  // DMPAPER_P32KBIG_ROTATED (151 x 97 mm)
    {109, 165000, 102000},  // DMPAPER_PENV_1_ROTATED (165 x 102 mm)
    {110, 176000, 102000},  // DMPAPER_PENV_2_ROTATED (176 x 102 mm)
    {111, 176000, 125000},  // DMPAPER_PENV_3_ROTATED (176 x 125 mm)
    {112, 208000, 110000},  // DMPAPER_PENV_4_ROTATED (208 x 110 mm)
    {113, 220000, 110000},  // DMPAPER_PENV_5_ROTATED (220 x 110 mm)
    {114, 230000, 120000},  // DMPAPER_PENV_6_ROTATED (230 x 120 mm)
    {115, 230000, 160000},  // DMPAPER_PENV_7_ROTATED (230 x 160 mm)
    {116, 309000, 120000},  // DMPAPER_PENV_8_ROTATED (309 x 120 mm)
    {117, 324000, 229000},  // DMPAPER_PENV_9_ROTATED (324 x 229 mm)
    {118, 458000, 324000},  // DMPAPER_PENV_10_ROTATED (458 x 324 mm)
};

// The PageSize entries' PostScript sizes (points * 25400 / 72, rounded to micrometres).
const PaperRow PageSizeTable[kPageSizeCount] = {
    {0, 215900, 279400},   // Letter     612 x 792 pt
    {1, 215900, 355600},   // Legal      612 x 1008
    {2, 279400, 431800},   // Tabloid    792 x 1224
    {3, 215900, 340078},   // Foolscap   612 x 964
    {4, 139700, 215900},   // Statement  396 x 612
    {5, 316089, 460022},   // A3Wide     896 x 1304
    {6, 297039, 420158},   // A3         842 x 1191
    {7, 209903, 297039},   // A4         595 x 842
    {8, 148167, 209903},   // A5         420 x 595
    {9, 257175, 364067},   // B4         729 x 1032
    {10, 182033, 257175},  // B5         516 x 729
    {11, 128058, 182033},  // B6         363 x 516
    {12, 100189, 147814},  // Postcard   284 x 419
    {13, 287161, 382058},  // EnvKaku0   814 x 1083
    {14, 269875, 382058},  // EnvKaku1   765 x 1083
    {15, 239889, 331964},  // EnvKaku2   680 x 941
    {16, 215900, 276931},  // EnvKaku3   612 x 785
    {17, 119944, 234950},  // EnvChou3   340 x 666
    {18, 89958, 204964},   // EnvChou4   255 x 581
};

namespace {

// Exact matches allow one unit either way; the nearest pass allows 0.882 mm.
constexpr std::int64_t kNearestToleranceUm = 882;
// Finer units than nanometres are refused: the products below must stay in 64 bits.
constexpr std::uint32_t kFinestUnitsPerMm = 1000000;

bool Within(std::int64_t value, std::int64_t target, std::int64_t tolerance) {
  return value >= target - tolerance && value <= target + tolerance;
}

std::int64_t AreaDistance(std::int64_t w1, std::int64_t l1, std::int64_t w2, std::int64_t l2) {
  const std::int64_t d = w1 * l1 - w2 * l2;
  return d < 0 ? -d : d;
}

// Micrometres to units of 1/u mm; rounds to nearest (halves up) below 1000 units per mm.
std::uint64_t ConvertExtent(std::int64_t um, std::uint64_t u) {
  if (u >= 1000) return u * static_cast<std::uint64_t>(um) / 1000;
  return u * (static_cast<std::uint64_t>(um) + (1000 / u) / 2) / 1000;
}

}  // namespace

bool PageSizeExtent(std::uint32_t index, std::uint32_t unitsPerMm, std::uint32_t& width,
                    std::uint32_t& length) {
  if (unitsPerMm == 0 || unitsPerMm > kFinestUnitsPerMm) return false;
  for (const PaperRow& row : PageSizeTable) {
    if (static_cast<std::uint32_t>(row.id) != index) continue;
    width = static_cast<std::uint32_t>(ConvertExtent(row.width, unitsPerMm));
    length = static_cast<std::uint32_t>(ConvertExtent(row.length, unitsPerMm));
    return true;
  }
  return false;
}

std::uint32_t PaperIndexFromSize(std::int32_t paperId, std::int32_t width, std::int32_t length,
                                 std::uint32_t unitsPerMm) {
  if (unitsPerMm == 0 || unitsPerMm > kFinestUnitsPerMm) return kCustomPageSize;
  std::int64_t w = width;
  std::int64_t l = length;
  std::int64_t u = unitsPerMm;
  // The table's last id (118) is deliberately not looked up: its given extents are used.
  if (paperId >= 1 && paperId <= 117) {
    for (const PaperRow& row : WindowsPaperTable) {
      if (row.id != paperId) continue;
      w = row.width;
      l = row.length;
      u = 1000;
      break;
    }
  }
  // A zero or negative extent (a DEVMODE value above 32767 read as signed) is no paper.
  if (w <= 0 || l <= 0) return kCustomPageSize;

  const std::int64_t e = u > 1000 ? u : 1000;  // working units per mm
  const std::int64_t f = e * w / u;
  const std::int64_t g = e * l / u;

  for (std::uint32_t i = 0; i < kPageSizeCount; ++i) {
    std::uint32_t pw = 0, pl = 0;
    if (PageSizeExtent(i, static_cast<std::uint32_t>(e), pw, pl) && Within(f, pw, 1) && Within(g, pl, 1))
      return i;
  }

  const std::int64_t t = e * kNearestToleranceUm / 1000;
  std::uint32_t best = kCustomPageSize;
  std::int64_t bestDistance = 0;
  for (std::uint32_t i = 0; i < kPageSizeCount; ++i) {
    std::uint32_t pw = 0, pl = 0;
    if (!PageSizeExtent(i, static_cast<std::uint32_t>(e), pw, pl) || !Within(f, pw, t) || !Within(g, pl, t))
      continue;
    const std::int64_t distance = AreaDistance(pw, pl, f, g);
    if (best == kCustomPageSize || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

std::int32_t DmPaperFromSize(std::int32_t width, std::int32_t length) {
  if (width <= 0 || length <= 0) return kDmPaperUser;
  const std::int64_t a = static_cast<std::int64_t>(width) * 1000 / 10;
  const std::int64_t b = static_cast<std::int64_t>(length) * 1000 / 10;

  for (const PaperRow& row : WindowsPaperTable) {
    if (Within(b, row.length, 1) && Within(a, row.width, 1)) return row.id;
  }
  std::int32_t best = kDmPaperUser;
  std::int64_t bestDistance = 0;
  for (const PaperRow& row : WindowsPaperTable) {
    if (!Within(a, row.width, kNearestToleranceUm) || !Within(b, row.length, kNearestToleranceUm)) continue;
    const std::int64_t distance = AreaDistance(row.width, row.length, a, b);
    if (best == kDmPaperUser || distance < bestDistance) {
      best = row.id;
      bestDistance = distance;
    }
  }
  return best;
}

std::int32_t DmPaperFromPageSize(std::uint32_t index) {
  std::uint32_t width = 0, length = 0;
  if (!PageSizeExtent(index, 10, width, length)) return kDmPaperUser;
  return DmPaperFromSize(static_cast<std::int32_t>(width), static_cast<std::int32_t>(length));
}

}  // namespace qv
