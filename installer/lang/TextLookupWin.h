// Localised texts on Windows: the language file is read with
// GetPrivateProfileStringW. A program names its file, its section and how the
// file's directory is found; the installer's is InstallerTextFile().
#pragma once

#include "CString.h"
#include "InstallerTexts.h"
#include "TextLookup.h"

enum class TextPathRule {
  ModuleName,   // beside the program's own file (GetModuleFileNameW)
  CommandLine,  // beside the program named by the command line (GetCommandLineW),
                // for a build that runs from a temporary copy
};

struct TextFile {
  TextFile(const wchar_t* fileName, const wchar_t* section, TextPathRule rule)
      : fileName(fileName), section(section), rule(rule) {}
  const wchar_t* fileName;
  const wchar_t* section;
  TextPathRule rule;
  CString pathHolder;  // empty until the first lookup; then kept for the run
};

// The profile reader over GetPrivateProfileStringW.
ProfileReader WindowsProfileReader();

// Computes the full path of the language file and stores it in the path holder.
CString GetTextFilePath(TextFile& file);
// The raw text of key in the file's section: the default when the file or the
// key is absent.
CString ReadText(const TextFile& file, const wchar_t* key, const wchar_t* def, const CString& path);
void DecodeEscapes(CString& text);
// ReadText, then DecodeEscapes.
CString LoadText(const TextFile& file, const wchar_t* key, const wchar_t* def, const CString& path);
// The calling pattern of every caller: the holder's path, or GetTextFilePath when
// the holder is still empty, then LoadText. Texts are not cached.
CString LoadText(TextFile& file, const wchar_t* key, const wchar_t* def);

// The installer's language file "twk.lng", section "Tarnwick2". The 32-bit build
// finds it beside its own file; the 64-bit build runs from a temporary copy and
// takes the directory from the command line that the 32-bit build handed over.
TextFile& InstallerTextFile();
CString GetTextFilePath();
CString ReadText(const wchar_t* key, const wchar_t* def, const CString& path);
CString LoadText(const wchar_t* key, const wchar_t* def, const CString& path);
CString LoadText(const wchar_t* key, const wchar_t* def);
// An entry of the installer's text table: its key with its English default.
CString LoadText(const twk::InstallerText& text);
