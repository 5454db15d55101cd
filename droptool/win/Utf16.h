// UTF-16 text between the portable core (char16_t) and the Windows calls and class
// library strings (wchar_t, 16 bits on Windows).
#pragma once

#include <string>

#include "CString.h"

namespace drux {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is UTF-16 on Windows");

inline const wchar_t* W(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}

inline std::u16string ToU16(const wchar_t* s) {
  return s ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string();
}

inline std::u16string ToU16(const CString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.GetString()), size_t(s.GetLength()));
}

inline CString ToCString(const std::u16string& s) { return CString(W(s), int(s.size())); }

}  // namespace drux
