#include "FormatSignature.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct SignatureCase {
  const char16_t* text;
  const char16_t* signature;
};

void PrintTo(const SignatureCase& c, std::ostream* os) {
  for (const char16_t* p = c.text; *p; ++p) *os << (*p < 0x80 ? char(*p) : '?');
}

class FormatSignatureTable : public ::testing::TestWithParam<SignatureCase> {};

TEST_P(FormatSignatureTable, Signature) {
  EXPECT_EQ(std::u16string(GetParam().signature), drux::FormatSignature(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormatSignatureTable,
    ::testing::Values(SignatureCase{u"Printing: %lu of %lu", u"%lu %lu "},
                      SignatureCase{u"File: %s", u"%s "},
                      SignatureCase{u"Abort all File Prints?", u""},
                      SignatureCase{u"", u""},
                      SignatureCase{u"Drucke %d von %d", u"%d %d "},
                      SignatureCase{u"Datei: %s (%s)", u"%s %s "},
                      SignatureCase{u"%5lu", u"%5lu "},
                      SignatureCase{u"%ls", u"%ls "},
                      SignatureCase{u"100%%", u""},
                      SignatureCase{u"a%%b%s", u"%s "},
                      // A lone percent sign takes the rest of the text.
                      SignatureCase{u"100%", u"% "},
                      SignatureCase{u"%", u"% "},
                      SignatureCase{u"50% 5", u"% 5 "},
                      // A percent sign before a blank runs to the next conversion letter.
                      SignatureCase{u"100% of", u"% o "},
                      SignatureCase{u"%-5.2lu x", u"%-5.2lu "},
                      SignatureCase{u"%n", u"%n "}),
    [](const ::testing::TestParamInfo<SignatureCase>& i) { return std::to_string(i.index); });

}  // namespace
