#include <gtest/gtest.h>

#include "ListKeys.h"

namespace {

using drux::ListKeyAction;
using A = ListKeyAction;

constexpr uint32_t kNumpad1 = 0x61, kNumpad3 = 0x63, kF7 = 0x76, kF9 = 0x78, kEnter = 0x0D;

struct KeyCase {
  const char* what;
  uint32_t key;
  bool ctrl, shift;
  A pathAllow;   // the file list: path mode, deleting allowed
  A plain;       // the printer list: plain mode, nothing allowed
};

class ListKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ListKeys, DecisionTable) {
  const KeyCase& c = GetParam();
  const drux::ListKeyState k{c.key, c.ctrl, c.shift};
  EXPECT_EQ(c.pathAllow, drux::DecideListKey(k, true, true)) << c.what << " (file list)";
  EXPECT_EQ(c.plain, drux::DecideListKey(k, false, false)) << c.what << " (printer list)";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListKeys,
    ::testing::Values(
        KeyCase{"Delete", drux::kKeyDelete, false, false, A::kDeleteSelected, A::kDefault},
        KeyCase{"Shift+Delete", drux::kKeyDelete, false, true, A::kCut, A::kDefault},
        KeyCase{"Ctrl+Delete", drux::kKeyDelete, true, false, A::kDeleteSelected, A::kDefault},
        KeyCase{"Ctrl+Shift+Delete", drux::kKeyDelete, true, true, A::kCut, A::kDefault},
        KeyCase{"Ctrl+A", drux::kKeyA, true, false, A::kSelectAll, A::kSelectAll},
        KeyCase{"A", drux::kKeyA, false, false, A::kDefault, A::kDefault},
        KeyCase{"Ctrl+C", drux::kKeyC, true, false, A::kCopy, A::kCopy},
        KeyCase{"Ctrl+Insert", drux::kKeyInsert, true, false, A::kCopy, A::kCopy},
        KeyCase{"Ctrl+Shift+Insert", drux::kKeyInsert, true, true, A::kCopy, A::kCopy},
        KeyCase{"Shift+Insert", drux::kKeyInsert, false, true, A::kPaste, A::kDefault},
        KeyCase{"Insert", drux::kKeyInsert, false, false, A::kDefault, A::kDefault},
        KeyCase{"Ctrl+V", drux::kKeyV, true, false, A::kPaste, A::kDefault},
        KeyCase{"Shift+V", drux::kKeyV, false, true, A::kDefault, A::kDefault},
        KeyCase{"Ctrl+X", drux::kKeyX, true, false, A::kCut, A::kDefault},
        KeyCase{"Ctrl+numpad 1", kNumpad1, true, false, A::kDefault, A::kDefault},
        KeyCase{"Ctrl+numpad 3", kNumpad3, true, false, A::kDefault, A::kDefault},
        KeyCase{"Ctrl+F7", kF7, true, false, A::kDefault, A::kDefault},
        KeyCase{"Ctrl+F9", kF9, true, false, A::kDefault, A::kDefault},
        KeyCase{"Enter", kEnter, false, false, A::kDefault, A::kDefault}));

TEST(ListKeys, DeleteWithoutPermissionInPathModeIsTheListBoxs) {
  EXPECT_EQ(A::kDefault, drux::DecideListKey({drux::kKeyDelete, false, false}, true, false));
  EXPECT_EQ(A::kCut, drux::DecideListKey({drux::kKeyDelete, false, true}, true, false));
  // A plain list that allows deleting still has no cut.
  EXPECT_EQ(A::kDeleteSelected, drux::DecideListKey({drux::kKeyDelete, false, true}, false, true));
}

TEST(ListKeys, OnlyTheActionsThatStopUseUpTheKeyUp) {
  EXPECT_FALSE(drux::UsesKeyUp(A::kDefault));
  EXPECT_FALSE(drux::UsesKeyUp(A::kDeleteSelected));
  for (A a : {A::kSelectAll, A::kCopy, A::kPaste, A::kCut}) EXPECT_TRUE(drux::UsesKeyUp(a));
}

}  // namespace
