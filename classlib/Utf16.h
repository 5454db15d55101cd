// UTF-16 text between the portable code (char16_t, std::u16string) and the Windows
// calls and the class library's strings (wchar_t, 16 bits on Windows). The one set of
// these conversions for every Windows shell of the project.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "CString.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is UTF-16 on Windows");

// The text's own buffer, NUL-terminated; valid as long as s is.
inline const wchar_t* W(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}

// A null pointer gives the empty text.
inline std::u16string ToU16(const wchar_t* s) {
  return s ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string();
}

inline std::u16string ToU16(const CString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.GetString()), size_t(s.GetLength()));
}

// Every code unit is kept, also a zero inside the text.
inline CString ToCString(std::u16string_view s) {
  return CString(reinterpret_cast<const wchar_t*>(s.data()), int(s.size()));
}

// The list's strings in list order.
inline std::vector<std::u16string> ToU16List(const CStringList& list) {
  std::vector<std::u16string> out;
  for (POSITION p = list.GetHeadPosition(); p;) out.push_back(ToU16(list.GetNext(p)));
  return out;
}
