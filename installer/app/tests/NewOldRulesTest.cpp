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
      {0, IDC_NEWOLD_FROMDISK, false, IDD_NETWORKSEARCH},  // neither checked: first visit
      {IDC_NEWOLD_FROMDISK, IDC_NEWOLD_FROMDISK, false, IDD_NETWORKSEARCH},
      {IDC_NEWOLD_BASED, IDC_NEWOLD_BASED, true, IDD_LISTPRINTER},
      {1003, IDC_NEWOLD_FROMDISK, false, IDD_NETWORKSEARCH},  // not one of the radios
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NewOldRadioToCheck(c.stored), c.shown) << c.stored;
    EXPECT_EQ(IsBasedMode(c.stored), c.based) << c.stored;
    EXPECT_EQ(NewOldNextPage(c.stored), c.next) << c.stored;
  }
}

}  // namespace
