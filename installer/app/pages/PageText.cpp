#include "PageText.h"

namespace {

bool IsWhiteSpace(char16_t c) {
  switch (c) {
    case 0x09: case 0x0A: case 0x0B: case 0x0C: case 0x0D: case 0x20:
    case 0x85: case 0xA0: case 0x1680: case 0x2028: case 0x2029: case 0x202F:
    case 0x205F: case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

}  // namespace

std::u16string TrimWhiteSpace(const std::u16string& text) {
  size_t first = 0, end = text.size();
  while (first < end && IsWhiteSpace(text[first])) ++first;
  while (end > first && IsWhiteSpace(text[end - 1])) --end;
  return text.substr(first, end - first);
}
