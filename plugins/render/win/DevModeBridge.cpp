#include "DevModeBridge.h"

#include "DevmodeExchange.h"

static_assert(sizeof(OEM_DMEXTRAHEADER) == sizeof(qv::DmExtraHeader), "one header layout");
static_assert(OEMDM_SIZE == qv::kOemDmSize && OEMDM_DEFAULT == qv::kOemDmDefault &&
                  OEMDM_CONVERT == qv::kOemDmConvert && OEMDM_MERGE == qv::kOemDmMerge,
              "one set of DevMode modes");

namespace qv {
namespace render {

namespace {

// The public DEVMODE fields the exchange uses, copied both ways.
void Load(const DEVMODEW& dm, PublicDevmode& pub) {
  pub.dmFields = dm.dmFields;
  pub.dmOrientation = dm.dmOrientation;
  pub.dmPaperSize = dm.dmPaperSize;
  pub.dmPaperLength = dm.dmPaperLength;
  pub.dmPaperWidth = dm.dmPaperWidth;
  pub.dmDefaultSource = dm.dmDefaultSource;
  pub.dmPrintQuality = dm.dmPrintQuality;
  pub.dmYResolution = dm.dmYResolution;
  static_assert(sizeof pub.dmFormName == sizeof dm.dmFormName, "dmFormName width");
  CopyMemory(pub.dmFormName, dm.dmFormName, sizeof pub.dmFormName);
}

void Store(const PublicDevmode& pub, DEVMODEW& dm) {
  dm.dmFields = pub.dmFields;
  dm.dmOrientation = pub.dmOrientation;
  dm.dmPaperSize = pub.dmPaperSize;
  dm.dmPaperLength = pub.dmPaperLength;
  dm.dmPaperWidth = pub.dmPaperWidth;
  dm.dmDefaultSource = pub.dmDefaultSource;
  dm.dmPrintQuality = pub.dmPrintQuality;
  dm.dmYResolution = pub.dmYResolution;
  CopyMemory(dm.dmFormName, pub.dmFormName, sizeof dm.dmFormName);
}

}  // namespace

BOOL RenderDevMode(DWORD dwMode, POEMDMPARAM param) {
  if (!param) return FALSE;
  PublicDevmode pub;
  DEVMODEW* dm = param->pPublicDMOut;
  if (dm) Load(*dm, pub);
  OemDevModeParam p;
  p.cbBufSize = param->cbBufSize;
  p.pPublicDMOut = dm ? &pub : nullptr;
  p.pOEMDMIn = param->pOEMDMIn;
  p.pOEMDMOut = param->pOEMDMOut;
  p.hPrinter = param->hPrinter;
  const bool ok = HandleOemDevMode(dwMode, &p);
  param->cbBufSize = p.cbBufSize;
  if (dm) Store(pub, *dm);
  return ok ? TRUE : FALSE;
}

}  // namespace render
}  // namespace qv
