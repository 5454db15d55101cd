#include "SetupText.h"

#include <algorithm>
#include <limits>

namespace twk::setup {
namespace {

bool IsCSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Splits text into sign and the digits of its magnitude, without leading zeros
// ("0" when there are no digits or all are zero).
void ReadCDecimal(const Text& text, bool& negative, Text& digits) {
  size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  digits.clear();
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (digits.empty() && text[i] == u'0') continue;
    digits += text[i];
  }
  if (digits.empty()) {
    digits = u"0";
    negative = false;
  }
}

char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return char16_t(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return char16_t(c - 0x20);
  if (c == 0xFF) return 0x178;
  return c;
}

}  // namespace

int32_t CDecimalToInt32(const Text& text) {
  bool negative;
  Text digits;
  ReadCDecimal(text, negative, digits);
  int64_t value = 0;
  const int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
  for (char16_t d : digits) {
    value = value * 10 + (d - u'0');
    if (value > limit) {
      value = limit;
      break;
    }
  }
  if (negative) return value >= limit ? std::numeric_limits<int32_t>::min() : int32_t(-value);
  return value >= limit ? std::numeric_limits<int32_t>::max() : int32_t(value);
}

Text IncrementCDecimal(const Text& text) {
  bool negative;
  Text digits;
  ReadCDecimal(text, negative, digits);
  if (!negative) {
    // Add one from the last digit; a carry out of the first digit adds a "1".
    size_t i = digits.size();
    while (i > 0) {
      --i;
      if (digits[i] != u'9') {
        ++digits[i];
        return digits;
      }
      digits[i] = u'0';
    }
    return u"1" + digits;
  }
  // -n + 1 = -(n - 1); n is at least 1 here.
  size_t i = digits.size();
  while (i > 0) {
    --i;
    if (digits[i] != u'0') {
      --digits[i];
      break;
    }
    digits[i] = u'9';
  }
  size_t first = digits.find_first_not_of(u'0');
  if (first == Text::npos) return u"0";
  return u"-" + digits.substr(first);
}

Text ToLowerAscii(Text text) {
  for (char16_t& c : text)
    if (c >= u'A' && c <= u'Z') c = char16_t(c + 0x20);
  return text;
}

bool EqualIgnoringCase(const Text& a, const Text& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

Text ToText(uint64_t value) {
  Text out;
  do {
    out += char16_t(u'0' + value % 10);
    value /= 10;
  } while (value);
  std::reverse(out.begin(), out.end());
  return out;
}

}  // namespace twk::setup
