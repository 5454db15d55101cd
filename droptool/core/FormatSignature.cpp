#include "FormatSignature.h"

namespace drux {

std::u16string FormatSignature(const std::u16string& text) {
  static const char16_t kConversions[] = u"cCdiouxXeEfgGaAnpsS";
  std::u16string signature;
  size_t pos = 0;
  for (;;) {
    const size_t percent = text.find(u'%', pos);
    if (percent == std::u16string::npos) break;
    if (percent + 1 < text.size() && text[percent + 1] == u'%') {
      pos = percent + 2;
      continue;
    }
    const size_t letter = text.find_first_of(kConversions, percent + 1);
    if (letter == std::u16string::npos) {
      signature.append(text, percent, std::u16string::npos);
      signature += u' ';
      break;
    }
    signature.append(text, percent, letter - percent + 1);
    signature += u' ';
    pos = letter + 1;
  }
  return signature;
}

}  // namespace drux
