// The wizard's header image: its RGB(0,128,128) pixels show in the window colour.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

// Every pixel of colour RGB(0,128,128) in a 24-bit image whose bytes are blue, green,
// red per pixel and whose rows are stride bytes apart takes the colour (red, green,
// blue). Only the first `bytes` bytes are touched (a short read leaves the rest alone).
// Answers the number of pixels changed.
size_t RecolourTeal(uint8_t* pixels, size_t bytes, size_t width, size_t stride, uint8_t red,
                    uint8_t green, uint8_t blue);

// Row length of a bitmap's bits as GetBitmapBits/SetBitmapBits deliver them: rows are
// padded to a multiple of 2 bytes.
constexpr size_t BitmapBitsStride(size_t width, size_t bitsPerPixel) {
  return ((width * bitsPerPixel + 15) / 16) * 2;
}

#ifdef _WIN32
// The header image (BITMAP 5, 49 x 49) as a DIB section whose RGB(0,128,128) pixels
// show in the window colour; pixels receives the bytes read (freed by the caller).
HBITMAP LoadHeaderBitmap(HINSTANCE module, std::vector<uint8_t>& pixels);
#endif
