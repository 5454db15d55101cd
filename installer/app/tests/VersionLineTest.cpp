// The Welcome page's version line from the program's file version.
#include "VersionLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct VersionCase {
  uint32_t ms, ls;
  const char16_t* language;
  const char16_t* line;
};

TEST(VersionLine, FromFileVersion) {
  const VersionCase cases[] = {
      {0x00020001, 0x00420000, u"non localized", u"v2.1.66 - non localized"},
      {0x00020001, 0x00420007, u"Deutsch", u"v2.1.66 - Deutsch"},  // revision not shown
      {0, 0, u"non localized", u"v0.0.0 - non localized"},         // no version information
      {0x01020304, 0xFFFF0000, u"", u"v2.4.65535 - "},             // only 8 bits of major/minor
  };
  for (const VersionCase& c : cases) {
    EXPECT_EQ(FormatVersionLine(VersionFromFileVersion(c.ms, c.ls), c.language), c.line);
  }
}

}  // namespace
