// The new-or-based page's rules: the radio shown for a stored choice, based mode and
// the next page.
#include "NewOldRules.h"

#include <gtest/gtest.h>

#include "TWKResource.h"

namespace {

struct Case {
  int32_t stored;
  int32_t shown;
  bool based;
  int32_t next;
};

TEST(NewOld, NextPageAndModeByRadio) {
  const Case cases[] = {
      {0, kRadioDriverFromDisk, false, IDD_NETWORKSEARCH},  // neither checked: first visit
      {kRadioDriverFromDisk, kRadioDriverFromDisk, false, IDD_NETWORKSEARCH},
      {kRadioBasedOnInstalled, kRadioBasedOnInstalled, true, IDD_LISTPRINTER},
      {1003, kRadioDriverFromDisk, false, IDD_NETWORKSEARCH},  // not one of the radios
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NewOldRadioToCheck(c.stored), c.shown) << c.stored;
    EXPECT_EQ(IsBasedMode(c.stored), c.based) << c.stored;
    EXPECT_EQ(NewOldNextPage(c.stored), c.next) << c.stored;
  }
}

}  // namespace
