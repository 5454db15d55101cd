#include "DruxText.h"

#include "CheckedText.h"
#include "Utf16.h"

namespace drux {

TextFile& DruxTextFile() {
  static TextFile file(reinterpret_cast<const wchar_t*>(kTextFileName),
                       reinterpret_cast<const wchar_t*>(kTextSection), TextPathRule::ModuleName);
  return file;
}

CString GetTextFilePath() { return ::GetTextFilePath(DruxTextFile()); }

CString ReadCheckedText(const wchar_t* key, const wchar_t* def, const CString& path) {
  return ToCString(drux::ReadCheckedText(WindowsProfileReader(), ToU16(key), ToU16(def), ToU16(path)));
}

CString LoadText(const wchar_t* key, const wchar_t* def) {
  TextFile& file = DruxTextFile();
  const CString path = file.pathHolder.IsEmpty() ? GetTextFilePath() : file.pathHolder;
  CString text = ReadCheckedText(key, def, path);
  ::DecodeEscapes(text);
  return text;
}

CString LoadText(const TextKey& key) {
  return LoadText(reinterpret_cast<const wchar_t*>(key.key),
                  reinterpret_cast<const wchar_t*>(key.fallback));
}

}  // namespace drux
