#include "DialogTemplate.h"

#include <cstring>

namespace dlgtemplate {
namespace {

class Reader {
public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }
  size_t pos() const { return pos_; }
  uint16_t u16() {
    if (pos_ + 2 > size_) return fail16();
    uint16_t v = uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  uint32_t u32() {
    uint32_t lo = u16();
    uint32_t hi = u16();
    return lo | (hi << 16);
  }
  uint8_t u8() {
    if (pos_ + 1 > size_) {
      ok_ = false;
      return 0;
    }
    return data_[pos_++];
  }
  void skip(size_t n) {
    if (pos_ + n > size_) ok_ = false;
    else pos_ += n;
  }
  // A menu or class field: 0 (none), 0xFFFF and an ordinal, or a terminated string.
  void skipSzOrOrd() {
    uint16_t first = u16();
    if (!ok_ || first == 0) return;
    if (first == 0xFFFF) {
      u16();
      return;
    }
    while (ok_ && u16() != 0) {
    }
  }
  std::u16string string() {
    std::u16string s;
    for (;;) {
      uint16_t c = u16();
      if (!ok_ || c == 0) break;
      s.push_back(char16_t(c));
    }
    return s;
  }

private:
  uint16_t fail16() {
    ok_ = false;
    pos_ = size_;
    return 0;
  }
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v & 0xFF));
  out.push_back(uint8_t(v >> 8));
}

size_t align4(size_t n) { return (n + 3) & ~size_t(3); }

}  // namespace

bool Parse(const uint8_t* data, size_t size, Parsed& out) {
  out = Parsed{};
  if (!data) return false;
  Reader r(data, size);
  if (size >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF) {
    out.extended = true;
    r.skip(4);      // dlgVer, signature
    r.u32();        // helpID
    r.u32();        // exStyle
    out.style = r.u32();
  } else {
    out.style = r.u32();
    r.u32();        // exStyle
  }
  r.u16();          // number of controls
  r.skip(8);        // x, y, cx, cy
  r.skipSzOrOrd();  // menu
  r.skipSzOrOrd();  // window class
  r.string();       // title
  if (!r.ok()) return false;
  out.fontOffset = r.pos();
  if (out.style & kDsSetFont) {
    out.hasFont = true;
    out.font.pointSize = r.u16();
    if (out.extended) {
      out.weight = r.u16();
      out.italic = r.u8();
      out.charset = r.u8();
    }
    out.font.face = r.string();
    if (!r.ok()) return false;
  }
  out.itemsOffset = align4(r.pos());
  if (out.itemsOffset > size) out.itemsOffset = size;
  return true;
}

bool HasFont(const Parsed& parsed, const FontInfo& font) {
  return parsed.hasFont && parsed.font.pointSize == font.pointSize && parsed.font.face == font.face;
}

std::vector<uint8_t> WithFont(const uint8_t* data, size_t size, const FontInfo& font) {
  Parsed p;
  if (!Parse(data, size, p)) return {};
  std::vector<uint8_t> out(data, data + p.fontOffset);
  // The style sits at offset 12 of the extended form and at offset 0 of the classic one.
  const size_t styleAt = p.extended ? 12 : 0;
  const uint32_t style = p.style | kDsSetFont;
  for (int i = 0; i < 4; ++i) out[styleAt + size_t(i)] = uint8_t(style >> (8 * i));
  put16(out, font.pointSize);
  if (p.extended) {
    put16(out, p.hasFont ? p.weight : 400);
    out.push_back(p.hasFont ? p.italic : 0);
    out.push_back(p.hasFont ? p.charset : 1);
  }
  for (char16_t c : font.face) put16(out, uint16_t(c));
  put16(out, 0);
  out.resize(align4(out.size()), 0);
  // Controls start 4-byte aligned relative to the template, and so they still do.
  out.insert(out.end(), data + p.itemsOffset, data + size);
  return out;
}

}  // namespace dlgtemplate
