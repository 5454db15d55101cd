// Custom-paper records and the bytes they are stored as in "LastCustomPapers", for the
// native paper tests and the Wine ones alike.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "CustomPapers.h"

namespace qv::ui::test {

// width and length in thousandths of a millimetre.
inline CustomPaperRecord Paper(const std::u16string& name, std::uint32_t width,
                               std::uint32_t length) {
  CustomPaperRecord r{};
  SetPaperName(&r, name);
  r.width = width;
  r.length = length;
  return r;
}

// The stored value: the records one after another, 163 bytes each.
inline std::vector<std::uint8_t> PaperBytes(const CustomPaperList& list) {
  std::vector<std::uint8_t> bytes(list.size() * 163);
  std::memcpy(bytes.data(), list.data(), bytes.size());
  return bytes;
}

}  // namespace qv::ui::test
