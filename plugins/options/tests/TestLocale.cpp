#include "TestLocale.h"

#include <gtest/gtest.h>

#include <string>

#include "LocaleQuery.h"
#include "PrivateDevmode.h"

namespace qvtest {
namespace {

const char16_t* gPaper = u"9";
const char16_t* gMeasure = u"0";

bool FakeQuery(qv::LocaleItem item, std::u16string& text) {
  const char16_t* answer = item == qv::LocaleItem::PaperSize ? gPaper : gMeasure;
  if (answer == nullptr) return false;
  text = answer;
  return true;
}

// Installs the fake and builds the default template with the A4 locale before any test
// runs, whatever the test order or filter.
class FakeLocaleEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qv::SetLocaleQuery(&FakeQuery);
    ResetFakeLocale();
    qv::PrivateDevmodeBody body;
    qv::DefaultPrivateDevmode(&body);
  }
};

[[maybe_unused]] const bool gRegistered = [] {
  qv::SetLocaleQuery(&FakeQuery);
  ::testing::AddGlobalTestEnvironment(new FakeLocaleEnvironment);
  return true;
}();

}  // namespace

void SetFakePaperSize(const char16_t* text) { gPaper = text; }
void SetFakeMeasure(const char16_t* text) { gMeasure = text; }
void ResetFakeLocale() {
  gPaper = u"9";
  gMeasure = u"0";
}

}  // namespace qvtest
