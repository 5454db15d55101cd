#include "DevModeBridge.h"

#include "DevmodeExchangeWin.h"

static_assert(sizeof(OEM_DMEXTRAHEADER) == sizeof(qv::DmExtraHeader), "one header layout");
static_assert(OEMDM_SIZE == qv::kOemDmSize && OEMDM_DEFAULT == qv::kOemDmDefault &&
                  OEMDM_CONVERT == qv::kOemDmConvert && OEMDM_MERGE == qv::kOemDmMerge,
              "one set of DevMode modes");

namespace qv {
namespace render {

BOOL RenderDevMode(DWORD dwMode, POEMDMPARAM param) {
  if (!param) return FALSE;
  // The shared DEVMODEW adapter copies the public fields in and out around the
  // portable exchange; the printer handle plays no part in it.
  return HandleOemDevModeW(dwMode, param->cbBufSize, param->pPublicDMOut, param->pOEMDMIn,
                           param->pOEMDMOut);
}

}  // namespace render
}  // namespace qv
