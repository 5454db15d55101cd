// DEVMODE exchange: the driver's DevMode requests on our private part, and the
// synchronisation of the private record with the public DEVMODE.
//
// API note for the plug-ins (IPrintOemCommon::DevMode in qvrender and qvui_dll):
//   The logic here is portable and works on PublicDevmode, a copy of the few DEVMODEW
//   fields it uses, and on OemDevModeParam, which carries the OEMDMPARAM fields it needs.
//   In a Windows tree, include "DevmodeExchangeWin.h" and call
//       qv::HandleOemDevModeW(dwMode, pOemDMParam->cbBufSize, pOemDMParam->pPublicDMOut,
//                              pOemDMParam->pOEMDMIn, pOemDMParam->pOEMDMOut)
//   which copies the DEVMODEW fields in and out around HandleOemDevMode; or fill an
//   OemDevModeParam yourself:
//       qv::PublicDevmode pub; qv::LoadPublicDevmode(*dm, pub);   // when pPublicDMOut != NULL
//       qv::OemDevModeParam p{cbBufSize, dm ? &pub : nullptr, pOEMDMIn, pOEMDMOut};
//       BOOL ok = qv::HandleOemDevMode(dwMode, &p);
//       cbBufSize = p.cbBufSize; if (dm) qv::StorePublicDevmode(pub, *dm);
//   HandleOemDevMode never sets a last error; qvrender adds ERROR_INVALID_PARAMETER on
//   false itself.
//
// Safety rules the exchange keeps (the private part comes from the spooler and from
// other plug-ins and versions, so it is untrusted):
//   - an input private part is copied only when its header is exactly ours
//     {1056, 'TVRG', 0x10410441}; anything else is replaced by our defaults;
//   - nothing is written when cbBufSize is below 1056 (answer false), and never more
//     than 1056 bytes (default and foreign-input answers write header and body, 1053
//     bytes, and leave the 3 padding bytes);
//   - of pOEMDMIn only its 4-byte dwSize is read until that declares exactly 1056
//     bytes; then the rest of the header, and the record only when the header is ours. The public DEVMODE is only read by SIZE/DEFAULT/CONVERT/MERGE.
#pragma once

#include <cstddef>
#include <cstdint>

#include "PrivateDevmode.h"

namespace qv {

// DEVMODE dmFields bits used here (same values as wingdi.h's DM_*).
constexpr std::uint32_t kDmOrientation = 0x00000001;
constexpr std::uint32_t kDmPaperSize = 0x00000002;
constexpr std::uint32_t kDmPaperLength = 0x00000004;
constexpr std::uint32_t kDmPaperWidth = 0x00000008;
constexpr std::uint32_t kDmDefaultSource = 0x00000200;
constexpr std::uint32_t kDmPrintQuality = 0x00000400;
constexpr std::uint32_t kDmYResolution = 0x00002000;
constexpr std::uint32_t kDmFormName = 0x00010000;

constexpr std::int16_t kDmOrientPortrait = 1;
constexpr std::int16_t kDmOrientLandscape = 2;
constexpr std::int32_t kDmBinAuto = 7;
constexpr std::size_t kDmFormNameLength = 32;  // characters in dmFormName, terminator included

// The DevMode request modes.
constexpr std::uint32_t kOemDmSize = 1;
constexpr std::uint32_t kOemDmDefault = 2;
constexpr std::uint32_t kOemDmConvert = 3;
constexpr std::uint32_t kOemDmMerge = 4;

// The DEVMODEW fields the exchange reads and writes. Extents in tenths of a millimetre.
struct PublicDevmode {
  std::uint32_t dmFields = 0;
  std::int16_t dmOrientation = 0;
  std::int16_t dmPaperSize = 0;
  std::int16_t dmPaperLength = 0;
  std::int16_t dmPaperWidth = 0;
  std::int16_t dmDefaultSource = 0;
  std::int16_t dmPrintQuality = 0;
  std::int16_t dmYResolution = 0;
  char16_t dmFormName[kDmFormNameLength] = {};  // may arrive without terminator
};

// The OEMDMPARAM fields HandleOemDevMode uses.
struct OemDevModeParam {
  std::uint32_t cbBufSize = 0;             // in: bytes at pOEMDMOut; out (SIZE): 1056
  PublicDevmode* pPublicDMOut = nullptr;   // public DEVMODE being produced, may be null
  const void* pOEMDMIn = nullptr;          // private part to convert or merge from
  void* pOEMDMOut = nullptr;               // private part to write (cbBufSize bytes)
  void* hPrinter = nullptr;                // passed along, not used
};

// mode kOemDmSize / Default / Convert / Merge; null param, other modes -> false.
bool HandleOemDevMode(std::uint32_t mode, OemDevModeParam* param);

// Paper (DM_PAPERSIZE), orientation (DM_ORIENTATION) and resolution (DM_PRINTQUALITY
// with DM_YRESOLUTION) from the public DEVMODE into the body. false when a pointer is null.
bool PublicToPrivate(const PublicDevmode* pub, PrivateDevmodeBody* body, void* hPrinter = nullptr);
// Orientation and resolution from the body into the public DEVMODE. false on null.
bool PrivateToPublic(const PrivateDevmodeBody* body, PublicDevmode* pub);

#pragma pack(push, 1)
// Public paper settings exchanged with the companion library; 150 bytes, fixed layout.
struct PaperSettings {
  std::uint32_t fields;        // kDmPaperSize | kDmPaperLength | kDmPaperWidth | kDmDefaultSource | kDmFormName
  std::int32_t paperSize;      // DMPAPER id
  std::int32_t paperLength;    // tenths of a millimetre
  std::int32_t paperWidth;     // tenths of a millimetre
  char16_t formName[65];       // zero-terminated within the field
  std::int32_t defaultSource;  // DMBIN id
};
#pragma pack(pop)
static_assert(sizeof(PaperSettings) == 150, "PaperSettings is 150 bytes");
static_assert(offsetof(PaperSettings, formName) == 16 && offsetof(PaperSettings, defaultSource) == 146,
              "PaperSettings layout");

// All zero, then paper size of the locale's paper and default source DMBIN_AUTO.
void DefaultPaperSettings(PaperSettings* settings);
// The public DEVMODE's paper fields into the settings, bit by bit. false when pub is null
// (or settings is).
bool PublicToSettings(PaperSettings* settings, const PublicDevmode* pub);
// The settings into the public DEVMODE, bit by bit. false when pub is null (or settings is).
bool SettingsToPublic(const PaperSettings* settings, PublicDevmode* pub);

}  // namespace qv
