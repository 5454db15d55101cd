// UTF-16 text between the portable rules (char16_t) and the Windows calls (wchar_t).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "CString.h"
#include "SetupText.h"
#include "Utf16.h"

// A private, writable, NUL-terminated copy of text for a record the spooler reads.
inline std::vector<wchar_t> Copy(const twk::setup::Text& s) {
  std::vector<wchar_t> out(s.begin(), s.end());
  out.push_back(0);
  return out;
}
