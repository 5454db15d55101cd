#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AutoCloser.h"
#include "PageHistory.h"
#include "WinVersion.h"

namespace {

TEST(PageHistory, BackReturnsToThePageThatLedHere) {
  PageHistory history{6};
  history.push_back(7);  // Next on page 7
  EXPECT_EQ(7, PopPage(history));
  EXPECT_EQ(PageHistory{6}, history);
  EXPECT_EQ(6, PopPage(history));
  EXPECT_TRUE(history.empty());
}

TEST(PageHistory, EmptyHistoryStaysOnThePage) {
  PageHistory history;
  EXPECT_EQ(kNoPreviousPage, PopPage(history));
  EXPECT_TRUE(history.empty());
}

struct VersionCase {
  uint32_t platformId, major;
  bool nt4, win9x, nt5OrLater;
};

TEST(WinVersion, DecisionsByPlatformAndMajorVersion) {
  const VersionCase cases[] = {
      {1, 4, false, true, false},   // 95, 98, Me
      {2, 4, true, false, false},   // NT 4
      {2, 3, false, false, false},  // NT 3.51
      {2, 5, false, false, true},   // 2000, XP
      {2, 10, false, false, true},
      {0, 0, false, false, false},  // GetVersionExW failed: zeroed record
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.platformId << "." << c.major);
    EXPECT_EQ(c.nt4, IsNT4Version(c.platformId, c.major));
    EXPECT_EQ(c.win9x, IsWin9xVersion(c.platformId, c.major));
    EXPECT_EQ(c.nt5OrLater, IsNT5OrLaterVersion(c.platformId, c.major));
  }
}

struct EnvCase {
  bool nt5;
  const char16_t* w6432;
  const char16_t* arch;
  bool expected;
};

TEST(WinVersion, SixtyFourBitFromTheEnvironment) {
  const EnvCase cases[] = {
      {true, u"AMD64", u"x86", true},     // 32-bit process on x64
      {true, u"", u"AMD64", true},        // 64-bit process
      {true, u"amd64", u"X86", true},     // case is ignored
      {true, u"", u"amd64", true},
      {true, u"", u"x86", false},         // 32-bit Windows
      {true, u"", u"IA64", false},        // Itanium
      {true, u"IA64", u"x86", false},
      {true, u"AMD64", u"AMD64", false},
      {true, u"", u"", false},
      {false, u"", u"AMD64", false},      // before NT 5 never
      {true, u"AMD64 ", u"x86", false},   // the whole text must match
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.w6432, c.w6432 + std::u16string(c.w6432).size()) + "/" +
                 std::string(c.arch, c.arch + std::u16string(c.arch).size()));
    EXPECT_EQ(c.expected, Is64BitEnvironment(c.nt5, c.w6432, c.arch));
  }
}

// Records which handles were closed, in order.
struct CloseLog {
  static std::vector<int>& closed() {
    static std::vector<int> log;
    return log;
  }
  static bool CloseBool(int h) {
    closed().push_back(h);
    return false;  // a failed close changes nothing
  }
  static void CloseVoid(int h) { closed().push_back(h); }
};

class AutoCloserTest : public testing::Test {
protected:
  void SetUp() override { CloseLog::closed().clear(); }
};

TEST_F(AutoCloserTest, ClosesOnlyAStoredHandle) {
  { auto never = MakeAutoCloser(-1, &CloseLog::CloseBool); }
  {
    auto failed = MakeAutoCloser(-1, &CloseLog::CloseVoid);
    failed->handle = -1;  // acquisition failed and answered the invalid value
  }
  {
    auto released = MakeAutoCloser(0, &CloseLog::CloseBool);
    released->handle = 5;
    released->handle = released->invalid;  // the owner released it itself
  }
  EXPECT_TRUE(CloseLog::closed().empty());
  {
    auto stored = MakeAutoCloser(-1, &CloseLog::CloseBool);
    stored->handle = 0;  // 0 is a valid handle where the invalid value is -1
  }
  EXPECT_EQ(std::vector<int>{0}, CloseLog::closed());
}

TEST_F(AutoCloserTest, ReverseOrderOnEveryWayOut) {
  auto operation = [](bool fail) {
    auto first = MakeAutoCloser(0, &CloseLog::CloseBool);
    first->handle = 1;
    auto second = MakeAutoCloser(0, &CloseLog::CloseVoid);
    second->handle = 2;
    if (fail) {
      throw std::runtime_error("operation failed");
    }
  };
  operation(false);
  EXPECT_THROW(operation(true), std::runtime_error);
  EXPECT_EQ((std::vector<int>{2, 1, 2, 1}), CloseLog::closed());
}

TEST_F(AutoCloserTest, DeletedThroughTheBase) {
  auto closer = MakeAutoCloser(0, &CloseLog::CloseVoid);
  closer->handle = 9;
  std::unique_ptr<AutoCloser<int>> base(closer.release());
  base.reset();
  EXPECT_EQ(std::vector<int>{9}, CloseLog::closed());
}

}  // namespace
