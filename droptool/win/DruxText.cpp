#include "DruxText.h"

#include "CheckedText.h"

namespace drux {

namespace {

std::u16string U16(const wchar_t* s) {
  return s ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string();
}

std::u16string U16(const CString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.GetString()), size_t(s.GetLength()));
}

CString ToCString(const std::u16string& s) {
  return CString(reinterpret_cast<const wchar_t*>(s.c_str()), int(s.size()));
}

}  // namespace

TextFile& DruxTextFile() {
  static TextFile file(reinterpret_cast<const wchar_t*>(kTextFileName),
                       reinterpret_cast<const wchar_t*>(kTextSection), TextPathRule::ModuleName);
  return file;
}

CString GetTextFilePath() { return ::GetTextFilePath(DruxTextFile()); }

CString ReadCheckedText(const wchar_t* key, const wchar_t* def, const CString& path) {
  return ToCString(drux::ReadCheckedText(WindowsProfileReader(), U16(key), U16(def), U16(path)));
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
