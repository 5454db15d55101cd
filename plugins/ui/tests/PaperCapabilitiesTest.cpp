// Custom papers offered through DeviceCapabilities, and the first-DC_FIELDS reset.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "CustomPapers.h"
#include "FakePaperSpooler.h"
#include "PaperCapabilities.h"
#include "PaperRecords.h"

namespace {

using namespace qvtest;
using qv::ui::AppendCustomPapers;
using qv::ui::CustomPaperList;
using qv::ui::CustomPaperRecord;
using qv::ui::test::Paper;
using qv::ui::test::PaperBytes;

constexpr std::uint16_t kBins = 6;

// A printer holding [Maximum, Minimum] (stored extents stale) whose spooler has forms.
FakePrinter StoredExtents() {
  FakePrinter p;
  p.maxAnswer = ExtentAnswer(3302, 4877);
  p.minAnswer = ExtentAnswer(900, 1480);
  p.value = PaperBytes({Paper(u"Maximum", 1, 1), Paper(u"Minimum", 1, 1)});
  for (const char16_t* name : {u"Letter", u"A4", u"Minimum", u"Maximum", u"Minimum"}) {
    PaperForm f;
    f.name = name;
    p.forms.push_back(f);
  }
  return p;
}

// An output area guarded on both sides, so that any write outside the entries shows.
struct Output {
  std::vector<std::uint8_t> bytes;
  std::size_t guard;
  Output(std::size_t size, std::size_t guardBytes = 64)
      : bytes(size + 2 * guardBytes, 0xA5), guard(guardBytes) {}
  void* data() { return bytes.data() + guard; }
  bool GuardsIntact(std::size_t size) const {
    for (std::size_t i = 0; i < guard; ++i)
      if (bytes[i] != 0xA5 || bytes[guard + size + i] != 0xA5) return false;
    return true;
  }
  template <typename T>
  T At(std::size_t index) const {
    T v;
    std::memcpy(&v, bytes.data() + guard + index * sizeof(T), sizeof v);
    return v;
  }
};

TEST(AppendCustomPapers, PaperIdsReplaceTheDriversLastEntry) {
  FakePrinter p = StoredExtents();
  FakePaperSpooler s(&p);
  std::atomic<bool> once{false};
  Output out(21 * 2);
  EXPECT_EQ(21u, AppendCustomPapers(&s, qv::ui::kCapPapers, out.data(), 20, once));
  EXPECT_EQ(0xA5A5, out.At<std::uint16_t>(18));  // entries before the last stay the driver's
  EXPECT_EQ(4, out.At<std::uint16_t>(19));       // "Maximum" is the 4th form
  EXPECT_EQ(3, out.At<std::uint16_t>(20));       // the first "Minimum" form
  EXPECT_TRUE(out.GuardsIntact(21 * 2));
  EXPECT_EQ(0, p.valueWrites);
}

TEST(AppendCustomPapers, PaperWithoutFormGetsCountPlusOne) {
  FakePrinter p = StoredExtents();
  p.forms.resize(2);  // only Letter and A4
  FakePaperSpooler s(&p);
  std::atomic<bool> once{false};
  Output out(21 * 2);
  EXPECT_EQ(21u, AppendCustomPapers(&s, qv::ui::kCapPapers, out.data(), 20, once));
  EXPECT_EQ(3, out.At<std::uint16_t>(19));
  EXPECT_EQ(3, out.At<std::uint16_t>(20));

  p.formsReadable = false;  // no form list: every paper gets id 1
  Output unread(21 * 2);
  EXPECT_EQ(21u, AppendCustomPapers(&s, qv::ui::kCapPapers, unread.data(), 20, once));
  EXPECT_EQ(1, unread.At<std::uint16_t>(19));
  EXPECT_EQ(1, unread.At<std::uint16_t>(20));
}

TEST(AppendCustomPapers, PaperSizesInTenthsOfAMillimetre) {
  FakePrinter p = StoredExtents();
  p.value = PaperBytes({Paper(u"Card", 210049, 210050), Paper(u"Maximum", 1, 1), Paper(u"Minimum", 1, 1)});
  FakePaperSpooler s(&p);
  std::atomic<bool> once{false};
  Output out(22 * 8);
  EXPECT_EQ(22u, AppendCustomPapers(&s, qv::ui::kCapPaperSize, out.data(), 20, once));
  EXPECT_EQ(2100, out.At<std::int32_t>(19 * 2));      // Card: 210049 µm
  EXPECT_EQ(2101, out.At<std::int32_t>(19 * 2 + 1));  // 210050 µm, half up
  EXPECT_EQ(3300, out.At<std::int32_t>(20 * 2));      // the device maximum cut to whole mm
  EXPECT_EQ(4870, out.At<std::int32_t>(20 * 2 + 1));
  EXPECT_EQ(911, out.At<std::int32_t>(21 * 2));
  EXPECT_EQ(1491, out.At<std::int32_t>(21 * 2 + 1));
  EXPECT_TRUE(out.GuardsIntact(22 * 8));
}

TEST(AppendCustomPapers, PaperNamesIn64CharacterEntries) {
  FakePrinter p = StoredExtents();
  CustomPaperRecord longest = Paper(std::u16string(64, u'L'), 100000, 100000);
  p.value = PaperBytes({longest, Paper(u"Maximum", 1, 1), Paper(u"Minimum", 1, 1)});
  FakePaperSpooler s(&p);
  std::atomic<bool> once{false};
  Output out(22 * 128);
  EXPECT_EQ(22u, AppendCustomPapers(&s, qv::ui::kCapPaperNames, out.data(), 20, once));
  auto entry = [&](std::size_t i) {
    std::u16string e(64, u'\0');
    std::memcpy(&e[0], out.bytes.data() + out.guard + i * 128, 128);
    return e;
  };
  EXPECT_EQ(std::u16string(64, u'L'), entry(19));  // fills the entry, no terminator
  std::u16string maximum(64, u'\0');
  maximum.replace(0, 7, u"Maximum");
  EXPECT_EQ(maximum, entry(20));  // the rest of the entry cleared
  EXPECT_EQ(u'M', entry(21)[0]);
  EXPECT_EQ(std::u16string(64, u'\xA5A5'), entry(18));
  EXPECT_TRUE(out.GuardsIntact(22 * 128));
}

TEST(AppendCustomPapers, CountQueryWritesNothing) {
  for (std::uint16_t cap : {qv::ui::kCapPapers, qv::ui::kCapPaperSize, qv::ui::kCapPaperNames}) {
    FakePrinter p = StoredExtents();
    FakePaperSpooler s(&p);
    std::atomic<bool> once{false};
    EXPECT_EQ(21u, AppendCustomPapers(&s, cap, nullptr, 20, once)) << cap;
  }
}

TEST(AppendCustomPapers, OtherCapabilitiesAnswerTheDriversAnswer) {
  FakePrinter p = StoredExtents();
  FakePaperSpooler s(&p);
  std::atomic<bool> once{false};
  Output out(64);
  for (std::uint16_t cap : {kBins, std::uint16_t(4), std::uint16_t(5), std::uint16_t(17),
                            std::uint16_t(0xFFFF)}) {
    EXPECT_EQ(20u, AppendCustomPapers(&s, cap, out.data(), 20, once)) << cap;
  }
  EXPECT_TRUE(out.GuardsIntact(0));
  for (std::size_t i = 0; i < 64; ++i) ASSERT_EQ(0xA5, out.bytes[out.guard + i]);
}

TEST(AppendCustomPapers, UnusableOrMissingListAnswersTheDriversAnswer) {
  for (std::uint16_t cap : {qv::ui::kCapPapers, qv::ui::kCapPaperSize, qv::ui::kCapPaperNames}) {
    FakePrinter p = StoredExtents();
    p.value = std::vector<std::uint8_t>(300, 0);
    FakePaperSpooler s(&p);
    std::atomic<bool> once{false};
    Output out(21 * 128);
    EXPECT_EQ(20u, AppendCustomPapers(&s, cap, out.data(), 20, once));
    p.value.reset();
    EXPECT_EQ(20u, AppendCustomPapers(&s, cap, out.data(), 20, once));
    EXPECT_EQ(20u, AppendCustomPapers(nullptr, cap, out.data(), 20, once));
    for (std::size_t i = 0; i < 21 * 128; ++i) ASSERT_EQ(0xA5, out.bytes[out.guard + i]);
  }
}

TEST(AppendCustomPapers, DriverAnswerZeroStartsAtTheFirstEntry) {
  FakePrinter p = StoredExtents();
  FakePaperSpooler s(&p);
  std::atomic<bool> once{false};
  EXPECT_EQ(2u, AppendCustomPapers(&s, qv::ui::kCapPaperSize, nullptr, 0, once));
  Output out(2 * 8);
  EXPECT_EQ(2u, AppendCustomPapers(&s, qv::ui::kCapPaperSize, out.data(), 0, once));
  EXPECT_EQ(3300, out.At<std::int32_t>(0));
  EXPECT_EQ(911, out.At<std::int32_t>(2));
  EXPECT_TRUE(out.GuardsIntact(2 * 8));  // nothing before the buffer
  Output ids(2 * 2);
  EXPECT_EQ(2u, AppendCustomPapers(&s, qv::ui::kCapPapers, ids.data(), 0, once));
  EXPECT_EQ(4, ids.At<std::uint16_t>(0));
  EXPECT_TRUE(ids.GuardsIntact(2 * 2));
  Output names(2 * 128);
  EXPECT_EQ(2u, AppendCustomPapers(&s, qv::ui::kCapPaperNames, names.data(), 0, once));
  EXPECT_TRUE(names.GuardsIntact(2 * 128));
}

TEST(AppendCustomPapers, FieldsResetOncePerProcessAndOnlyWithAPrinter) {
  FakePrinter p = StoredExtents();
  p.value = PaperBytes({Paper(u"Card", 100000, 150000), Paper(u"Maximum", 1, 1), Paper(u"Minimum", 1, 1)});
  FakePaperSpooler s(&p);
  std::atomic<bool> once{false};

  // No printer: the flag is not consumed.
  EXPECT_EQ(7u, AppendCustomPapers(nullptr, qv::ui::kCapFields, nullptr, 7, once));
  EXPECT_FALSE(once.load());
  EXPECT_EQ(0, p.valueWrites);

  // The first with a printer resets the list to [Maximum, Minimum].
  EXPECT_EQ(7u, AppendCustomPapers(&s, qv::ui::kCapFields, nullptr, 7, once));
  EXPECT_TRUE(once.load());
  EXPECT_EQ(1, p.valueWrites);
  EXPECT_EQ(326u, p.value->size());

  // Never again in this process.
  p.value = PaperBytes({Paper(u"Card", 100000, 150000), Paper(u"Maximum", 1, 1), Paper(u"Minimum", 1, 1)});
  EXPECT_EQ(7u, AppendCustomPapers(&s, qv::ui::kCapFields, nullptr, 7, once));
  EXPECT_EQ(1, p.valueWrites);
  EXPECT_EQ(489u, p.value->size());
}

// The default flag is the process's own (each native test runs in its own process).
TEST(AppendCustomPapers, ProcessFlagIsSharedByEveryCall) {
  FakePrinter p = StoredExtents();
  FakePaperSpooler s(&p);
  ASSERT_FALSE(qv::ui::ProcessPaperResetDone().load());
  AppendCustomPapers(&s, qv::ui::kCapFields, nullptr, 0);
  EXPECT_TRUE(qv::ui::ProcessPaperResetDone().load());
  EXPECT_EQ(1, p.valueWrites);
  AppendCustomPapers(&s, qv::ui::kCapFields, nullptr, 0);
  EXPECT_EQ(1, p.valueWrites);
}

}  // namespace
