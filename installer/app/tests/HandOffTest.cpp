// The hand-off from the 32-bit program to the embedded 64-bit program.
#include "HandOff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The hand-off's system, recording what the program does.
enum class Fail { None, Create, SecondWrite, ZeroWrite, Start };

class FakeSystem : public HandOffSystem {
public:
  explicit FakeSystem(Fail fail) : fail_(fail) {}
  std::vector<std::string> calls;
  std::vector<uint8_t> file;
  uint32_t error = 0;

  uint32_t LastError() override { return error; }
  std::u16string TempPath() override { return u"C:\\temp\\"; }
  std::u16string TempFileName(const std::u16string& dir, const std::u16string& prefix) override {
    calls.push_back("name " + Narrow(dir + prefix));
    return dir + prefix + u"1A.tmp";
  }
  uintptr_t CreateForExecute(const std::u16string& name) override {
    calls.push_back("create " + Narrow(name));
    if (fail_ == Fail::Create) return Error(5, kInvalid);
    return 7;
  }
  bool Write(uintptr_t handle, const uint8_t* data, size_t size, size_t& written) override {
    EXPECT_EQ(handle, 7u);
    ++writes_;
    if (fail_ == Fail::SecondWrite && writes_ == 2) return Error(112, false);
    // Partial writes: at most 3 bytes a call, none at all when so asked.
    written = fail_ == Fail::ZeroWrite ? 0 : (size < 3 ? size : 3);
    file.insert(file.end(), data, data + written);
    if (writes_ > 100) ADD_FAILURE() << "write loop does not end";
    return writes_ <= 100;
  }
  void Close(uintptr_t handle) override { calls.push_back("close " + std::to_string(handle)); }
  void Delete(const std::u16string& name) override { calls.push_back("delete " + Narrow(name)); }
  bool StartAndWait(const std::u16string& name) override {
    calls.push_back("run " + Narrow(name));
    if (fail_ == Fail::Start) return Error(193, false);
    return true;
  }

private:
  template <typename T>
  T Error(uint32_t code, T result) {
    error = code;
    return result;
  }
  static std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }
  Fail fail_;
  int writes_ = 0;
};

TEST(HandOff, WritesRunsWaitsAndRemovesTheProgram) {
  const std::vector<uint8_t> program = {'M', 'Z', 0, 1, 2, 3, 4, 5, 6, 7, 0x1A};
  FakeSystem system(Fail::None);
  EXPECT_EQ(RunHandOff(system, program.data(), program.size()), 0u);
  EXPECT_EQ(system.file, program);
  const std::vector<std::string> expected = {
      "name C:\\temp\\TW", "create C:\\temp\\TW1A.tmp", "close 7", "run C:\\temp\\TW1A.tmp",
      "delete C:\\temp\\TW1A.tmp"};
  EXPECT_EQ(system.calls, expected);
}

TEST(HandOff, EveryFailureAnswersItsCodeAndLeavesNoFile) {
  struct Case {
    Fail fail;
    uint32_t code;
    bool closed;
    bool ran;
  } const cases[] = {
      {Fail::Create, 5, false, false},
      {Fail::SecondWrite, 112, true, false},
      {Fail::ZeroWrite, 29, true, false},  // success without progress must not spin
      {Fail::Start, 193, true, true},
  };
  const std::vector<uint8_t> program(20, 0x90);
  for (const Case& c : cases) {
    FakeSystem system(c.fail);
    EXPECT_EQ(RunHandOff(system, program.data(), program.size()), c.code);
    ASSERT_FALSE(system.calls.empty());
    EXPECT_EQ(system.calls.back(), "delete C:\\temp\\TW1A.tmp");
    auto has = [&](const std::string& call) {
      for (const auto& s : system.calls)
        if (s == call) return true;
      return false;
    };
    EXPECT_EQ(has("close 7"), c.closed);
    EXPECT_EQ(has("run C:\\temp\\TW1A.tmp"), c.ran);
  }
}

}  // namespace
