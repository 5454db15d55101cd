// A test fixture with a plain visible top-level window and its CWnd, to own the
// dialogs under test.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "CWnd.h"
#include "WineHarness.h"

namespace druxtest {

class OwnerWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    owner_ = MakeOwnerWindow();
    ASSERT_TRUE(owner_);
    ASSERT_TRUE(ownerWnd_.Attach(owner_));
  }
  void TearDown() override {
    ownerWnd_.Detach();
    if (owner_) ::DestroyWindow(owner_);
  }
  HWND owner_ = nullptr;
  CWnd ownerWnd_;
};

}  // namespace druxtest
