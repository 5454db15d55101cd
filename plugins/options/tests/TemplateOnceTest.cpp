// The default template is built exactly once per process, even when the first calls
// race, and no caller sees a half-built template. Own program: the template must not
// have been built before the test starts.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "LocaleQuery.h"
#include "PrivateDevmode.h"

namespace {

std::atomic<int> gPaperQueries{0};

bool SlowLetterLocale(qv::LocaleItem item, std::u16string& text) {
  if (item == qv::LocaleItem::PaperSize) {
    ++gPaperQueries;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // widen the race
  }
  text.assign(1, u'1');  // letter
  return true;
}

TEST(DefaultTemplate, RacingFirstCallsBuildItOnce) {
  qv::SetLocaleQuery(&SlowLetterLocale);
  constexpr int kThreads = 8;
  std::vector<qv::PrivateDevmodeBody> bodies(kThreads);
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      while (!go.load()) std::this_thread::yield();
      qv::DefaultPrivateDevmode(&bodies[i]);
    });
  }
  go = true;
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(1, gPaperQueries.load());
  const qv::PrivateDevmodeBody expected = qv::MakeDefaultPrivateDevmode(0);
  for (const qv::PrivateDevmodeBody& b : bodies) EXPECT_EQ(0, std::memcmp(&expected, &b, sizeof(b)));
  qv::SetLocaleQuery(nullptr);
}

}  // namespace
