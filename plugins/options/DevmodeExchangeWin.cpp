// DEVMODEW adapters of the DEVMODE exchange: copy the few fields the portable logic
// uses out of the driver's DEVMODEW and back, leaving every other field alone.
#include "DevmodeExchangeWin.h"

#include <cstring>

namespace qv {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
static_assert(sizeof(DEVMODEW::dmFormName) == sizeof(PublicDevmode::dmFormName), "form name width");
static_assert(DM_ORIENTATION == kDmOrientation && DM_PAPERSIZE == kDmPaperSize && DM_PAPERLENGTH == kDmPaperLength &&
                  DM_PAPERWIDTH == kDmPaperWidth && DM_DEFAULTSOURCE == kDmDefaultSource &&
                  DM_PRINTQUALITY == kDmPrintQuality && DM_YRESOLUTION == kDmYResolution &&
                  DM_FORMNAME == kDmFormName,
              "dmFields bits");
static_assert(DMORIENT_PORTRAIT == kDmOrientPortrait && DMORIENT_LANDSCAPE == kDmOrientLandscape &&
                  DMBIN_AUTO == kDmBinAuto && DMPAPER_USER == 256,
              "DEVMODE values");

void LoadPublicDevmode(const DEVMODEW& dm, PublicDevmode& pub) {
  pub.dmFields = dm.dmFields;
  pub.dmOrientation = dm.dmOrientation;
  pub.dmPaperSize = dm.dmPaperSize;
  pub.dmPaperLength = dm.dmPaperLength;
  pub.dmPaperWidth = dm.dmPaperWidth;
  pub.dmDefaultSource = dm.dmDefaultSource;
  pub.dmPrintQuality = dm.dmPrintQuality;
  pub.dmYResolution = dm.dmYResolution;
  std::memcpy(pub.dmFormName, dm.dmFormName, sizeof(pub.dmFormName));
}

void StorePublicDevmode(const PublicDevmode& pub, DEVMODEW& dm) {
  dm.dmFields = pub.dmFields;
  dm.dmOrientation = pub.dmOrientation;
  dm.dmPaperSize = pub.dmPaperSize;
  dm.dmPaperLength = pub.dmPaperLength;
  dm.dmPaperWidth = pub.dmPaperWidth;
  dm.dmDefaultSource = pub.dmDefaultSource;
  dm.dmPrintQuality = pub.dmPrintQuality;
  dm.dmYResolution = pub.dmYResolution;
  std::memcpy(dm.dmFormName, pub.dmFormName, sizeof(pub.dmFormName));
}

BOOL HandleOemDevModeW(DWORD mode, DWORD& cbBufSize, DEVMODEW* pPublicDMOut, const void* pOEMDMIn,
                       void* pOEMDMOut) {
  PublicDevmode pub;
  if (pPublicDMOut != nullptr) LoadPublicDevmode(*pPublicDMOut, pub);
  OemDevModeParam p;
  p.cbBufSize = cbBufSize;
  p.pPublicDMOut = pPublicDMOut != nullptr ? &pub : nullptr;
  p.pOEMDMIn = pOEMDMIn;
  p.pOEMDMOut = pOEMDMOut;
  const bool ok = HandleOemDevMode(mode, &p);
  cbBufSize = p.cbBufSize;
  if (pPublicDMOut != nullptr) StorePublicDevmode(pub, *pPublicDMOut);
  return ok ? TRUE : FALSE;
}

BOOL PublicToPrivateW(const DEVMODEW* dm, PrivateDevmodeBody* body, HANDLE hPrinter) {
  if (dm == nullptr) return FALSE;
  PublicDevmode pub;
  LoadPublicDevmode(*dm, pub);
  return PublicToPrivate(&pub, body, hPrinter) ? TRUE : FALSE;
}

BOOL PrivateToPublicW(const PrivateDevmodeBody* body, DEVMODEW* dm) {
  if (dm == nullptr) return FALSE;
  PublicDevmode pub;
  LoadPublicDevmode(*dm, pub);
  if (!PrivateToPublic(body, &pub)) return FALSE;
  StorePublicDevmode(pub, *dm);
  return TRUE;
}

BOOL PublicToSettingsW(PaperSettings* settings, const DEVMODEW* dm) {
  if (dm == nullptr) return FALSE;
  PublicDevmode pub;
  LoadPublicDevmode(*dm, pub);
  return PublicToSettings(settings, &pub) ? TRUE : FALSE;
}

BOOL SettingsToPublicW(const PaperSettings* settings, DEVMODEW* dm) {
  if (dm == nullptr) return FALSE;
  PublicDevmode pub;
  LoadPublicDevmode(*dm, pub);
  if (!SettingsToPublic(settings, &pub)) return FALSE;
  StorePublicDevmode(pub, *dm);
  return TRUE;
}

}  // namespace qv
