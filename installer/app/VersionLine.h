// The Welcome page's version line: the program's file version and the language of
// the language file.
#pragma once

#include <cstdint>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

// Major and minor version (8 bits each) and build number (16 bits) of a file
// version given as its two double words (VS_FIXEDFILEINFO's dwFileVersionMS/LS).
struct ProgramVersion {
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
};
ProgramVersion VersionFromFileVersion(uint32_t versionMS, uint32_t versionLS);

// "v<major>.<minor>.<build> - <language>".
std::u16string FormatVersionLine(const ProgramVersion& version, const std::u16string& language);

#ifdef _WIN32
// The program's own file version; the outputs stay untouched when it has none.
void GetProgramVersion(DWORD& major, DWORD& minor, DWORD& build);
#endif
