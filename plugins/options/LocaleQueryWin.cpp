// The Windows answer to the option model's locale query.
#include <windows.h>

#include <vector>

#include "LocaleQuery.h"

namespace qv {

bool WindowsLocaleQuery(LocaleItem item, std::u16string& text);

bool WindowsLocaleQuery(LocaleItem item, std::u16string& text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
  text.clear();
  if (item == LocaleItem::Measure) {
    // "0" metric or "1" US, one character and its terminator.
    wchar_t buffer[3] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, buffer, 3) <= 0) return false;
    for (const wchar_t* p = buffer; p < buffer + 2 && *p != 0; ++p) text.push_back(static_cast<char16_t>(*p));
    return true;
  }
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IPAPERSIZE, nullptr, 0);
  if (length <= 0) return false;
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, 0);
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IPAPERSIZE, buffer.data(), length + 1) <= 0) return false;
  for (std::size_t i = 0; i < buffer.size() && buffer[i] != 0; ++i)
    text.push_back(static_cast<char16_t>(buffer[i]));
  return true;
}

}  // namespace qv
