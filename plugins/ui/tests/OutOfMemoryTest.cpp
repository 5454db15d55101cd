// Memory running out at every allocation of a push in turn: the selections are either
// handed over whole or not at all, and no exception leaves SendFeatureOptions. A
// program of its own: it replaces the global operator new.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "FeatureOptions.h"
#include "PrivateDevmode.h"

namespace {
// Allocations still granted before operator new fails; negative: no limit.
thread_local long t_allocationsLeft = -1;
}  // namespace

void* operator new(std::size_t size) {
  if (t_allocationsLeft == 0) throw std::bad_alloc();
  if (t_allocationsLeft > 0) --t_allocationsLeft;
  void* block = std::malloc(size != 0 ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
// GCC takes the operator's own free() for a mismatch with new.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
#pragma GCC diagnostic pop

namespace {

struct RecordingSink : qv::ui::FeatureOptionSink {
  std::vector<std::string> calls;
  void SetOptions(const char* buffer, std::uint32_t size) override {
    const long left = t_allocationsLeft;
    t_allocationsLeft = -1;  // the record of the call is the test's own
    calls.emplace_back(buffer, size);
    t_allocationsLeft = left;
  }
};

TEST(SendFeatureOptionsOutOfMemory, EveryAllocationFailingInTurn) {
  const qv::PrivateDevmodeBody record = qv::MakeDefaultPrivateDevmode(7);
  RecordingSink whole;
  ASSERT_TRUE(qv::ui::SendFeatureOptions(record, whole));
  ASSERT_EQ(1u, whole.calls.size());

  long granted = 0;
  for (; granted < 10000; ++granted) {
    RecordingSink sink;
    t_allocationsLeft = granted;
    const bool sent = qv::ui::SendFeatureOptions(record, sink);
    t_allocationsLeft = -1;
    if (sent) {
      ASSERT_EQ(1u, sink.calls.size());
      EXPECT_EQ(whole.calls[0], sink.calls[0]);
      break;
    }
    EXPECT_TRUE(sink.calls.empty()) << granted;
  }
  EXPECT_GT(granted, 0);  // the list itself could not be obtained at first
  EXPECT_LT(granted, 10000);
}

}  // namespace
