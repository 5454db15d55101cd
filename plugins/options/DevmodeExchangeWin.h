// Windows trees only: DEVMODEW adapters of the DEVMODE exchange (DevmodeExchange.h).
#pragma once

#include <windows.h>

#include "DevmodeExchange.h"

namespace qv {

// Copies the exchange's fields out of / into a DEVMODEW; other fields are untouched.
void LoadPublicDevmode(const DEVMODEW& dm, PublicDevmode& pub);
void StorePublicDevmode(const PublicDevmode& pub, DEVMODEW& dm);

// HandleOemDevMode over the real OEMDMPARAM fields; cbBufSize is updated for SIZE.
BOOL HandleOemDevModeW(DWORD mode, DWORD& cbBufSize, DEVMODEW* pPublicDMOut, const void* pOEMDMIn,
                       void* pOEMDMOut);

BOOL PublicToPrivateW(const DEVMODEW* pub, PrivateDevmodeBody* body, HANDLE hPrinter);
BOOL PrivateToPublicW(const PrivateDevmodeBody* body, DEVMODEW* pub);
BOOL PublicToSettingsW(PaperSettings* settings, const DEVMODEW* pub);
BOOL SettingsToPublicW(const PaperSettings* settings, DEVMODEW* pub);

}  // namespace qv
