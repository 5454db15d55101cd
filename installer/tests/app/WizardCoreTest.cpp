// The installer application's portable decisions: the Welcome page's version line,
// the header image's recolouring and the hand-off to the 64-bit program.
#include "WizardCore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct VersionCase {
  uint32_t ms, ls;
  const char16_t* language;
  const char16_t* line;
};

TEST(VersionLine, FromFileVersion) {
  const VersionCase cases[] = {
      {0x00020001, 0x00420000, u"non localized", u"v2.1.66 - non localized"},
      {0x00020001, 0x00420007, u"Deutsch", u"v2.1.66 - Deutsch"},  // revision not shown
      {0, 0, u"non localized", u"v0.0.0 - non localized"},         // no version information
      {0x01020304, 0xFFFF0000, u"", u"v2.4.65535 - "},             // only 8 bits of major/minor
  };
  for (const VersionCase& c : cases) {
    EXPECT_EQ(FormatVersionLine(VersionFromFileVersion(c.ms, c.ls), c.language), c.line);
  }
}

// A 49-pixel-wide 24-bit image as GetBitmapBits delivers it: 148 bytes per row, the
// last one padding.
class TealImage : public ::testing::Test {
protected:
  static constexpr size_t kWidth = 49, kRows = 3;
  const size_t stride = BitmapBitsStride(kWidth, 24);
  std::vector<uint8_t> bits = std::vector<uint8_t>(stride * kRows + 1, 0);

  uint8_t* Pixel(size_t x, size_t row) { return &bits[row * stride + x * 3]; }
  void Set(size_t x, size_t row, uint8_t b, uint8_t g, uint8_t r) {
    uint8_t* p = Pixel(x, row);
    p[0] = b;
    p[1] = g;
    p[2] = r;
  }
};

TEST_F(TealImage, TealPixelsTakeTheWindowColourOthersStay) {
  ASSERT_EQ(stride, 148u);
  for (size_t row = 0; row < kRows; ++row)
    for (size_t x = 0; x < kWidth; ++x) Set(x, row, 128, 128, 0);  // teal everywhere
  Set(5, 1, 128, 128, 1);  // almost teal
  Set(6, 1, 0, 128, 128);  // the same bytes in the other order
  // Padding bytes and the extra byte, arranged so that a scan that ignored the row
  // padding would see teal triples at the wrong places.
  bits[147] = 128;
  bits[148 + 147] = 128;
  bits.back() = 0;

  const size_t changed = RecolourTeal(bits.data(), bits.size(), kWidth, stride, 10, 20, 30);
  EXPECT_EQ(changed, kWidth * kRows - 2);
  EXPECT_EQ(Pixel(0, 0)[0], 30);  // blue
  EXPECT_EQ(Pixel(0, 0)[1], 20);  // green
  EXPECT_EQ(Pixel(0, 0)[2], 10);  // red
  EXPECT_EQ(Pixel(48, 2)[0], 30);
  EXPECT_EQ(Pixel(5, 1)[2], 1);
  EXPECT_EQ(Pixel(6, 1)[0], 0);
  EXPECT_EQ(bits[147], 128);  // padding untouched
}

TEST_F(TealImage, ShortReadTouchesOnlyWhatWasRead) {
  for (size_t x = 0; x < kWidth; ++x) Set(x, 0, 128, 128, 0);
  // 10 bytes read: three whole pixels and one cut one.
  EXPECT_EQ(RecolourTeal(bits.data(), 10, kWidth, stride, 255, 255, 255), 3u);
  EXPECT_EQ(Pixel(3, 0)[0], 128);
  EXPECT_EQ(RecolourTeal(bits.data(), 0, kWidth, stride, 255, 255, 255), 0u);
}

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
