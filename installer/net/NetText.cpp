#include "NetText.h"

#include <climits>

std::string ToAnsi(const std::u16string& text) {
  if (text.empty() || text.size() > size_t(INT_MAX)) return std::string();
  const wchar_t* wide = W(text);
  int n = WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::u16string FromAnsi(const char* bytes, size_t length) {
  if (!bytes || length == 0 || length > size_t(INT_MAX)) return std::u16string();
  int n = MultiByteToWideChar(CP_ACP, 0, bytes, int(length), nullptr, 0);
  if (n <= 0) return std::u16string();
  std::u16string out(size_t(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes, int(length), reinterpret_cast<wchar_t*>(&out[0]), n);
  return out;
}
