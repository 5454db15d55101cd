#include "VersionLine.h"

ProgramVersion VersionFromFileVersion(uint32_t versionMS, uint32_t versionLS) {
  ProgramVersion v;
  v.major = (versionMS >> 16) & 0xFF;
  v.minor = versionMS & 0xFF;
  v.build = (versionLS >> 16) & 0xFFFF;
  return v;
}

std::u16string FormatVersionLine(const ProgramVersion& version, const std::u16string& language) {
  auto number = [](uint32_t n) {
    std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
  };
  return u"v" + number(version.major) + u"." + number(version.minor) + u"." +
         number(version.build) + u" - " + language;
}
