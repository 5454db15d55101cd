// UTF-16 text between the portable rules (char16_t) and the Windows calls (wchar_t).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "CString.h"
#include "InstallerState.h"  // ToU16 and ToCString, between CString and Text
#include "SetupText.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 code units");

inline twk::setup::Text ToText(const wchar_t* s) {
  return s ? twk::setup::Text(reinterpret_cast<const char16_t*>(s)) : twk::setup::Text();
}
inline const wchar_t* W(const twk::setup::Text& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

// A private, writable, NUL-terminated copy of text for a record the spooler reads.
inline std::vector<wchar_t> Copy(const twk::setup::Text& s) {
  std::vector<wchar_t> out(s.begin(), s.end());
  out.push_back(0);
  return out;
}
