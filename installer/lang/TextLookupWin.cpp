#include "TextLookupWin.h"

#include <windows.h>

#include "Utf16.h"

ProfileReader WindowsProfileReader() {
  return [](const std::u16string& section, const std::u16string& key, const std::u16string& def,
            char16_t* buffer, uint32_t size, const std::u16string& path) -> uint32_t {
    return GetPrivateProfileStringW(W(section), W(key), W(def), reinterpret_cast<wchar_t*>(buffer),
                                    size, W(path));
  };
}

CString GetTextFilePath(TextFile& file) {
  std::u16string path;
  if (file.rule == TextPathRule::CommandLine) {
    path = TextFilePathFromCommandLine(ToU16(GetCommandLineW()), ToU16(file.fileName));
  } else {
    wchar_t module[520 + 1] = {};
    const DWORD n = GetModuleFileNameW(nullptr, module, 520);
    path = TextFilePathFromModuleName(std::u16string(reinterpret_cast<const char16_t*>(module),
                                                     n > 520 ? 520 : n),
                                      ToU16(file.fileName));
  }
  file.pathHolder = ToCString(path);
  return file.pathHolder;
}

CString ReadText(const TextFile& file, const wchar_t* key, const wchar_t* def, const CString& path) {
  return ToCString(
      ReadText(WindowsProfileReader(), ToU16(file.section), ToU16(key), ToU16(def), ToU16(path)));
}

void DecodeEscapes(CString& text) {
  std::u16string s = ToU16(text);
  DecodeEscapes(s);
  text = ToCString(s);
}

CString LoadText(const TextFile& file, const wchar_t* key, const wchar_t* def, const CString& path) {
  CString text = ReadText(file, key, def, path);
  DecodeEscapes(text);
  return text;
}

CString LoadText(TextFile& file, const wchar_t* key, const wchar_t* def) {
  const CString path = file.pathHolder.IsEmpty() ? GetTextFilePath(file) : file.pathHolder;
  return LoadText(file, key, def, path);
}

TextFile& InstallerTextFile() {
#ifdef _WIN64
  static TextFile file(L"twk.lng", L"Tarnwick2", TextPathRule::CommandLine);
#else
  static TextFile file(L"twk.lng", L"Tarnwick2", TextPathRule::ModuleName);
#endif
  return file;
}

CString GetTextFilePath() { return GetTextFilePath(InstallerTextFile()); }

CString ReadText(const wchar_t* key, const wchar_t* def, const CString& path) {
  return ReadText(InstallerTextFile(), key, def, path);
}

CString LoadText(const wchar_t* key, const wchar_t* def, const CString& path) {
  return LoadText(InstallerTextFile(), key, def, path);
}

CString LoadText(const wchar_t* key, const wchar_t* def) { return LoadText(InstallerTextFile(), key, def); }

CString LoadText(const twk::InstallerText& text) {
  return LoadText(reinterpret_cast<const wchar_t*>(text.key),
                  reinterpret_cast<const wchar_t*>(text.fallback));
}
