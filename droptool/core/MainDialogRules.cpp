#include "MainDialogRules.h"

#include "DruxTexts.h"
#include "DruxVersion.h"
#include "TextFormat.h"

namespace drux {

std::u16string VersionLine(const std::u16string& versionFormat, const std::u16string& language) {
  const std::u16string version = u"" DRUX_VERSION_TEXT;
  std::u16string line = FormatTextOr(versionFormat, texts::kLblVersion.fallback, {version});
  if (!language.empty()) {
    line += u" [";
    line += language;
    line += u']';
  }
  return line;
}

DownloadAction DecideDownload(bool printerSelected, const std::u16string& printer,
                              const std::vector<std::u16string>& files) {
  if (!printerSelected) return DownloadAction::kNothing;
  if (printer.empty() || files.empty()) return DownloadAction::kBeep;
  return DownloadAction::kPrint;
}

uint64_t BannerColourCount(uint32_t coloursUsed, uint32_t bitsPerPixel) {
  if (coloursUsed != 0) return coloursUsed;
  if (bitsPerPixel >= 64) return UINT64_MAX;
  return uint64_t(1) << bitsPerPixel;
}

BannerPalette ChooseBannerPalette(uint32_t coloursUsed, uint32_t bitsPerPixel) {
  return BannerColourCount(coloursUsed, bitsPerPixel) <= 256 ? BannerPalette::kColourTable
                                                             : BannerPalette::kHalftone;
}

}  // namespace drux
