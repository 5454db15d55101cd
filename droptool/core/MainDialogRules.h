// Decisions of the main dialog that need no window: its version line, what Download
// does, and which palette draws the banner on a palette screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace drux {

// The version line: the version format (the IDC_LBL_VERSION text, "Version: %s" by
// default; a format the formatter refuses falls back to the default) filled with
// "2.0.6", then " [", the language and "]" when the language text is not empty.
std::u16string VersionLine(const std::u16string& versionFormat, const std::u16string& language);

enum class DownloadAction {
  kNothing,  // no printer selected
  kBeep,     // an empty printer name or no file
  kPrint,
};
DownloadAction DecideDownload(bool printerSelected, const std::u16string& printer,
                              const std::vector<std::u16string>& files);

// The number of colours of a bitmap: its colour count, or 2 to the power of its bits
// per pixel when that is 0 (saturated, never wrapping: 32 bits give 2^32).
uint64_t BannerColourCount(uint32_t coloursUsed, uint32_t bitsPerPixel);

enum class BannerPalette {
  kColourTable,  // a palette of the bitmap's own colours (up to 256)
  kHalftone,     // the screen's halftone palette
};
BannerPalette ChooseBannerPalette(uint32_t coloursUsed, uint32_t bitsPerPixel);

}  // namespace drux
