// The driver's DevMode requests on our private part, and the paper, orientation and
// resolution shared between the private record and the public DEVMODE.
//
// The private part handed in comes from the spooler, from older versions and from other
// plug-ins: it is read only as far as its own header says and copied only when that
// header is exactly ours. The output buffer is never written past cbBufSize.
#include "DevmodeExchange.h"

#include <cstring>

#include "PaperTables.h"

namespace qv {

namespace {

// Header and body; the three padding bytes of the record are left as they are.
constexpr std::size_t kWrittenBytes = offsetof(PrivateDevmode, padding);
constexpr std::size_t kSettingsNameLength = sizeof(PaperSettings::formName) / sizeof(char16_t);  // 65

void WriteDefaults(PrivateDevmode* out) {
  PrivateDevmode record;
  SetPrivateDevmodeHeader(&record.dmExtraHeader);
  DefaultPrivateDevmode(&record.body);
  std::memcpy(static_cast<void*>(out), &record, kWrittenBytes);
}

// The size comes first and is read alone: a part that declares fewer bytes than a
// whole header is not read any further.
bool IsOurs(const void* privatePart) {
  DmExtraHeader header;
  std::memcpy(&header.dwSize, privatePart, sizeof(header.dwSize));
  if (header.dwSize != kPrivateDevmodeSize) return false;
  std::memcpy(&header, privatePart, sizeof(header));
  return IsOurPrivateDevmodeHeader(header);
}

// Tenths of a millimetre to micrometres; a negative DEVMODE extent is no extent.
std::uint32_t TenthsToMicrometres(std::int16_t tenths) {
  return tenths > 0 ? static_cast<std::uint32_t>(tenths) * 100u : 0u;
}

bool ConvertOrMerge(std::uint32_t mode, OemDevModeParam& p) {
  if (p.pOEMDMIn == nullptr || p.pOEMDMOut == nullptr) return false;
  if (p.cbBufSize < kPrivateDevmodeSize) return false;  // nothing written
  PrivateDevmode* out = static_cast<PrivateDevmode*>(p.pOEMDMOut);
  if (!IsOurs(p.pOEMDMIn)) {
    // Another plug-in's or version's part, or a damaged one: start from our defaults.
    WriteDefaults(out);
    if (p.pPublicDMOut != nullptr) PublicToPrivate(p.pPublicDMOut, &out->body, p.hPrinter);
    return true;
  }
  // The input declares exactly our size, so reading 1056 bytes stays inside it.
  std::memmove(static_cast<void*>(out), p.pOEMDMIn, kPrivateDevmodeSize);
  if (mode == kOemDmConvert) {
    ValidatePrivateDevmode(&out->body);
    if (p.pPublicDMOut != nullptr) PublicToPrivate(p.pPublicDMOut, &out->body, p.hPrinter);
  } else {
    if (p.pPublicDMOut != nullptr) PublicToPrivate(p.pPublicDMOut, &out->body, p.hPrinter);
    ValidatePrivateDevmode(&out->body);
  }
  return true;
}

// Copies a zero-terminated UTF-16 text of at most limit characters (stopping early at
// its terminator) into a cleared field of fieldLength characters.
void CopyName(char16_t* field, std::size_t fieldLength, const char16_t* text, std::size_t limit) {
  std::memset(field, 0, fieldLength * sizeof(char16_t));
  for (std::size_t i = 0; i < limit && i < fieldLength && text[i] != 0; ++i) field[i] = text[i];
}

}  // namespace

bool HandleOemDevMode(std::uint32_t mode, OemDevModeParam* param) {
  if (param == nullptr) return false;
  OemDevModeParam& p = *param;
  switch (mode) {
    case kOemDmSize:
      p.cbBufSize = kPrivateDevmodeSize;
      return true;
    case kOemDmDefault:
      if (p.pOEMDMOut == nullptr || p.cbBufSize < kPrivateDevmodeSize) return false;
      WriteDefaults(static_cast<PrivateDevmode*>(p.pOEMDMOut));
      return true;
    case kOemDmConvert:
    case kOemDmMerge:
      return ConvertOrMerge(mode, p);
    default:
      return false;
  }
}

bool PublicToPrivate(const PublicDevmode* pub, PrivateDevmodeBody* body, void* /*hPrinter*/) {
  if (pub == nullptr || body == nullptr) return false;
  if (pub->dmFields & kDmPaperSize) {
    const std::uint32_t index = PaperIndexFromSize(pub->dmPaperSize, pub->dmPaperWidth, pub->dmPaperLength, 10);
    body->PageSize = static_cast<std::uint8_t>(index);
    if (index == kCustomPageSize) {
      body->PageSizeWidth = TenthsToMicrometres(pub->dmPaperWidth);
      body->PageSizeHeight = TenthsToMicrometres(pub->dmPaperLength);
    }
  }
  if (pub->dmFields & kDmOrientation) body->Orientation = pub->dmOrientation == kDmOrientLandscape ? 1 : 0;
  if ((pub->dmFields & kDmPrintQuality) && (pub->dmFields & kDmYResolution))
    body->Resolution = pub->dmPrintQuality == 300 && pub->dmYResolution == 600 ? 1 : 0;
  return true;
}

bool PrivateToPublic(const PrivateDevmodeBody* body, PublicDevmode* pub) {
  if (body == nullptr || pub == nullptr) return false;
  pub->dmOrientation = body->Orientation == 1 ? kDmOrientLandscape : kDmOrientPortrait;
  pub->dmFields |= kDmOrientation;
  if (body->Resolution == 0 || body->Resolution == 1) {
    pub->dmYResolution = body->Resolution == 1 ? 600 : 300;
    pub->dmPrintQuality = 300;
    pub->dmFields |= kDmPrintQuality | kDmYResolution;
  }
  return true;
}

void DefaultPaperSettings(PaperSettings* settings) {
  if (settings == nullptr) return;
  std::memset(static_cast<void*>(settings), 0, sizeof(*settings));
  settings->fields = kDmPaperSize | kDmDefaultSource;
  std::int32_t paper = DmPaperFromPageSize(LocalePaperIndex());
  if (paper == kDmPaperUser) paper = LocaleUsesUSMeasure() ? kDmPaperLetter : kDmPaperA4;
  settings->paperSize = paper;
  settings->defaultSource = kDmBinAuto;
}

bool PublicToSettings(PaperSettings* settings, const PublicDevmode* pub) {
  if (settings == nullptr || pub == nullptr) return false;
  PaperSettings& s = *settings;
  const std::uint32_t f = pub->dmFields;
  // Packed fields are assigned by value; each bit present is set and its value copied
  // (sign-extended), each bit absent is cleared and its value left.
  std::uint32_t fields = s.fields;
  const auto present = [&](std::uint32_t bit) {
    if (f & bit) fields |= bit;
    else fields &= ~bit;
    return (f & bit) != 0;
  };
  if (present(kDmPaperLength)) s.paperLength = pub->dmPaperLength;
  if (present(kDmPaperWidth)) s.paperWidth = pub->dmPaperWidth;
  if (present(kDmPaperSize)) s.paperSize = pub->dmPaperSize;
  if (present(kDmDefaultSource)) s.defaultSource = pub->dmDefaultSource;
  const bool hasName = present(kDmFormName);
  s.fields = fields;
  if (hasName) {
    // dmFormName may arrive without its terminator: read no further than the field.
    char16_t name[kSettingsNameLength];
    CopyName(name, kSettingsNameLength, pub->dmFormName, kDmFormNameLength);
    std::memcpy(reinterpret_cast<unsigned char*>(settings) + offsetof(PaperSettings, formName), name, sizeof(name));
  }
  return true;
}

bool SettingsToPublic(const PaperSettings* settings, PublicDevmode* pub) {
  if (settings == nullptr || pub == nullptr) return false;
  const PaperSettings& s = *settings;
  const std::uint32_t from = s.fields;
  std::uint32_t& f = pub->dmFields;
  // Each bit present is set and its value stored, cut to 16 bits; each bit absent is
  // cleared and the DEVMODE's value left.
  const auto put = [&](std::uint32_t bit, std::int16_t& field, std::int32_t value) {
    if (from & bit) {
      f |= bit;
      field = static_cast<std::int16_t>(value);
    } else {
      f &= ~bit;
    }
  };
  put(kDmPaperLength, pub->dmPaperLength, s.paperLength);
  put(kDmPaperWidth, pub->dmPaperWidth, s.paperWidth);
  put(kDmPaperSize, pub->dmPaperSize, s.paperSize);
  put(kDmDefaultSource, pub->dmDefaultSource, s.defaultSource);
  if (from & kDmFormName) {
    f |= kDmFormName;
    char16_t name[kSettingsNameLength];
    std::memcpy(name, reinterpret_cast<const unsigned char*>(settings) + offsetof(PaperSettings, formName), sizeof(name));
    // At most 31 characters, so the DEVMODE's name stays terminated.
    CopyName(pub->dmFormName, kDmFormNameLength, name, kDmFormNameLength - 1);
  } else {
    f &= ~kDmFormName;
  }
  return true;
}

}  // namespace qv
