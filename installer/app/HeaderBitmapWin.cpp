// Loading the header image from the program's resources and recolouring it.
#include "HeaderBitmap.h"

#include "TWKResource.h"

HBITMAP LoadHeaderBitmap(HINSTANCE module, std::vector<uint8_t>& pixels) {
  pixels.clear();
  HBITMAP header = static_cast<HBITMAP>(
      ::LoadImageW(module, MAKEINTRESOURCEW(IDB_HEADER), IMAGE_BITMAP, 49, 49, LR_CREATEDIBSECTION));
  if (!header) return nullptr;
  BITMAP info{};
  ::GetObjectW(header, sizeof info, &info);
  if (info.bmWidthBytes <= 0 || info.bmHeight <= 0) return header;
  pixels.assign(size_t(info.bmWidthBytes) * size_t(info.bmHeight) + 1, 0);
  const LONG read = ::GetBitmapBits(header, LONG(pixels.size()), pixels.data());
  if (read > 0) {
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    RecolourTeal(pixels.data(), size_t(read), size_t(info.bmWidth),
                 BitmapBitsStride(size_t(info.bmWidth), info.bmBitsPixel), GetRValue(window),
                 GetGValue(window), GetBValue(window));
    ::SetBitmapBits(header, DWORD(read), pixels.data());
  }
  return header;
}
