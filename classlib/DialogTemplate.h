// Reading and changing the font of an in-memory dialog template (the classic
// DLGTEMPLATE form and the extended DLGTEMPLATEEX form). Plain C++ over bytes, so it
// builds natively too. All multi-byte fields are little-endian, text is UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dlgtemplate {

constexpr uint32_t kDsSetFont = 0x40;  // DS_SETFONT: the template carries a font

struct FontInfo {
  std::u16string face;
  uint16_t pointSize = 0;
};

struct Parsed {
  bool extended = false;      // DLGTEMPLATEEX
  uint32_t style = 0;
  bool hasFont = false;
  FontInfo font;
  uint16_t weight = 0;        // extended form only
  uint8_t italic = 0;         // extended form only
  uint8_t charset = 1;        // extended form only (DEFAULT_CHARSET when absent)
  size_t fontOffset = 0;      // where the font block starts (or would start)
  size_t itemsOffset = 0;     // first control, 4-byte aligned; size of the template when none
};

// Parses the header of the template; false when the bytes are too short or malformed.
bool Parse(const uint8_t* data, size_t size, Parsed& out);

// True when the template has exactly this font (face compared exactly).
bool HasFont(const Parsed& parsed, const FontInfo& font);

// A copy of the template that carries the given font (DS_SETFONT set); controls and
// everything else unchanged. Empty when the template cannot be parsed.
std::vector<uint8_t> WithFont(const uint8_t* data, size_t size, const FontInfo& font);

}  // namespace dlgtemplate
