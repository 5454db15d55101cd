#include "DocumentName.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct NameCase {
  const char16_t* path;
  const char16_t* name;
};

void PrintTo(const NameCase& c, std::ostream* os) {
  for (const char16_t* p = c.path; *p; ++p) *os << (*p < 0x80 ? char(*p) : '?');
}

class DocumentNameTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(DocumentNameTable, Name) {
  EXPECT_EQ(std::u16string(GetParam().name), drux::MakeDocumentName(GetParam().path));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DocumentNameTable,
    ::testing::Values(NameCase{u"C:\\jobs\\a.ps", u"a.ps [C:\\jobs]"},
                      NameCase{u"C:\\a.ps", u"a.ps [C:]"},
                      NameCase{u"\\a.ps", u"a.ps"},
                      NameCase{u"a.ps", u"a.ps"},
                      NameCase{u"\\\\server\\share\\a.ps", u"a.ps [\\\\server\\share]"},
                      NameCase{u"C:\\my jobs\\r e.ps", u"r e.ps [C:\\my jobs]"}),
    [](const ::testing::TestParamInfo<NameCase>& i) { return std::to_string(i.index); });

}  // namespace
