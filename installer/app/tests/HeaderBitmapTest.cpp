// The recolouring of the wizard's header image.
#include "HeaderBitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A 49-pixel-wide 24-bit image as GetBitmapBits delivers it: 148 bytes per row, the
// last one padding.
class TealImage : public ::testing::Test {
protected:
  static constexpr size_t kWidth = 49, kRows = 3;
  const size_t stride = BitmapBitsStride(kWidth, 24);
  std::vector<uint8_t> bits = std::vector<uint8_t>(stride * kRows + 1, 0);

  uint8_t* Pixel(size_t x, size_t row) { return &bits[row * stride + x * 3]; }
  void Set(size_t x, size_t row, uint8_t b, uint8_t g, uint8_t r) {
    uint8_t* p = Pixel(x, row);
    p[0] = b;
    p[1] = g;
    p[2] = r;
  }
};

TEST_F(TealImage, TealPixelsTakeTheWindowColourOthersStay) {
  ASSERT_EQ(stride, 148u);
  for (size_t row = 0; row < kRows; ++row)
    for (size_t x = 0; x < kWidth; ++x) Set(x, row, 128, 128, 0);  // teal everywhere
  Set(5, 1, 128, 128, 1);  // almost teal
  Set(6, 1, 0, 128, 128);  // the same bytes in the other order
  // Padding bytes and the extra byte, arranged so that a scan that ignored the row
  // padding would see teal triples at the wrong places.
  bits[147] = 128;
  bits[148 + 147] = 128;
  bits.back() = 0;

  const size_t changed = RecolourTeal(bits.data(), bits.size(), kWidth, stride, 10, 20, 30);
  EXPECT_EQ(changed, kWidth * kRows - 2);
  EXPECT_EQ(Pixel(0, 0)[0], 30);  // blue
  EXPECT_EQ(Pixel(0, 0)[1], 20);  // green
  EXPECT_EQ(Pixel(0, 0)[2], 10);  // red
  EXPECT_EQ(Pixel(48, 2)[0], 30);
  EXPECT_EQ(Pixel(5, 1)[2], 1);
  EXPECT_EQ(Pixel(6, 1)[0], 0);
  EXPECT_EQ(bits[147], 128);  // padding untouched
}

TEST_F(TealImage, ShortReadTouchesOnlyWhatWasRead) {
  for (size_t x = 0; x < kWidth; ++x) Set(x, 0, 128, 128, 0);
  // 10 bytes read: three whole pixels and one cut one.
  EXPECT_EQ(RecolourTeal(bits.data(), 10, kWidth, stride, 255, 255, 255), 3u);
  EXPECT_EQ(Pixel(3, 0)[0], 128);
  EXPECT_EQ(RecolourTeal(bits.data(), 0, kWidth, stride, 255, 255, 255), 0u);
}

}  // namespace
