#include "ProgressMath.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressMath, PercentText) {
  EXPECT_EQ(u"100.0%", drux::PercentText(1000, 1));
  EXPECT_EQ(u"50.0%", drux::PercentText(500, 1));
  EXPECT_EQ(u"99.9%", drux::PercentText(999.96, 1));
  EXPECT_EQ(u"0.0%", drux::PercentText(0, 1));
}

TEST(ProgressMath, PositionIsClampedToTheRange) {
  EXPECT_DOUBLE_EQ(0, drux::ProgressPosition(0, 0, 1, 0));
  EXPECT_DOUBLE_EQ(500, drux::ProgressPosition(50, 0, 100, 0));
  EXPECT_DOUBLE_EQ(1000, drux::ProgressPosition(100, 0, 100, 0));
  EXPECT_DOUBLE_EQ(1000, drux::ProgressPosition(5000, 0, 100, 0));  // file grew
  // Sizes beyond 32 bits.
  EXPECT_DOUBLE_EQ(250, drux::ProgressPosition(1ull << 40, 0, 1ull << 42, 0));
  EXPECT_EQ(u"100.0%", drux::PercentText(drux::ProgressPosition(7, 0, 5, 0), 1));
}

}  // namespace
