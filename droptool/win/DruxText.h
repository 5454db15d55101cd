// The tool's texts on Windows: "DRUX.ini" beside the program, section "DRUX", read
// with GetPrivateProfileStringW; a translation whose printf conversions differ from
// its default's is not used.
#pragma once

#include "CString.h"
#include "DruxTexts.h"
#include "TextLookupWin.h"

namespace drux {

// The tool's language file and its path holder (filled by the first lookup).
TextFile& DruxTextFile();
// The full path of "DRUX.ini" beside the program; stores it in the holder.
CString GetTextFilePath();
// The raw value of key, or def when it is missing or its conversions differ.
CString ReadCheckedText(const wchar_t* key, const wchar_t* def, const CString& path);
// ReadCheckedText with the holder's path, then the escapes decoded.
CString LoadText(const wchar_t* key, const wchar_t* def);
CString LoadText(const TextKey& key);

}  // namespace drux
