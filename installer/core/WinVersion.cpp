#include "WinVersion.h"

namespace {

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'A' && x <= u'Z') x = char16_t(x - u'A' + u'a');
    if (y >= u'A' && y <= u'Z') y = char16_t(y - u'A' + u'a');
    if (x != y) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool Is64BitEnvironment(bool nt5OrLater, std::u16string_view architew6432,
                        std::u16string_view architecture) {
  if (!nt5OrLater) {
    return false;
  }
  if (EqualsIgnoringCase(architew6432, u"AMD64") && EqualsIgnoringCase(architecture, u"x86")) {
    return true;
  }
  return architew6432.empty() && EqualsIgnoringCase(architecture, u"AMD64");
}
