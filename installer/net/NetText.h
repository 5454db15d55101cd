// Conversions between UTF-16 and the ANSI code page for the network code (Windows).
#pragma once

#include <windows.h>

#include <string>

std::string ToAnsi(const std::u16string& text);
std::u16string FromAnsi(const char* bytes, size_t length);
inline std::u16string FromAnsi(const std::string& bytes) { return FromAnsi(bytes.data(), bytes.size()); }
inline std::u16string FromAnsi(const char* text) { return text ? FromAnsi(text, strlen(text)) : std::u16string(); }
inline const wchar_t* AsWide(const std::u16string& text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
