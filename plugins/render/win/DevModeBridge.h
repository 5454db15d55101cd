// IPrintOemCommon::DevMode of the rendering plug-in over the shared DEVMODE exchange.
#pragma once

#include "QvOemCommon.h"

namespace qv {
namespace render {

// The driver's request on our private DEVMODE section (OEMDM_SIZE, _DEFAULT, _CONVERT,
// _MERGE). FALSE for a null parameter block and whatever the exchange refuses; for
// OEMDM_SIZE the needed size is stored in cbBufSize.
BOOL RenderDevMode(DWORD dwMode, POEMDMPARAM param);

}  // namespace render
}  // namespace qv
