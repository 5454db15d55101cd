#include "HeaderBitmap.h"

size_t RecolourTeal(uint8_t* pixels, size_t bytes, size_t width, size_t stride, uint8_t red,
                    uint8_t green, uint8_t blue) {
  if (!pixels || stride < width * 3) return 0;
  size_t changed = 0;
  for (size_t row = 0; row < bytes; row += stride) {
    for (size_t x = 0; x < width; ++x) {
      const size_t at = row + x * 3;
      if (at + 3 > bytes) return changed;
      uint8_t* p = pixels + at;
      if (p[0] == 128 && p[1] == 128 && p[2] == 0) {
        p[0] = blue;
        p[1] = green;
        p[2] = red;
        ++changed;
      }
    }
  }
  return changed;
}
