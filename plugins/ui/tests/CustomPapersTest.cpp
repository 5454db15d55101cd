// The custom-paper list in "LastCustomPapers", its forms, the device extents and the
// events that reset the list, through the spooler seam.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CustomPapers.h"
#include "FakePaperSpooler.h"

namespace {

using namespace qvtest;
using qv::ui::CustomPaperList;
using qv::ui::CustomPaperRecord;
using qv::ui::Extent;

CustomPaperRecord Paper(const std::u16string& name, std::uint32_t width, std::uint32_t length,
                        std::int32_t left = 0, std::int32_t right = 0, std::int32_t top = 0,
                        std::int32_t bottom = 0) {
  CustomPaperRecord r{};
  qv::ui::SetPaperName(&r, name);
  r.width = width;
  r.length = length;
  r.leftMargin = left;
  r.rightMargin = right;
  r.topMargin = top;
  r.bottomMargin = bottom;
  return r;
}

std::vector<std::uint8_t> Stored(const CustomPaperList& list) {
  std::vector<std::uint8_t> bytes(list.size() * 163);
  if (!list.empty()) std::memcpy(bytes.data(), list.data(), bytes.size());
  return bytes;
}

CustomPaperList Records(const std::vector<std::uint8_t>& bytes) {
  CustomPaperList list(bytes.size() / 163);
  if (!list.empty()) std::memcpy(list.data(), bytes.data(), list.size() * 163);
  return list;
}

// The driver of the documented example: maximum 3302 x 4877, minimum 900 x 1480 tenths.
FakePrinter ExamplePrinter() {
  FakePrinter p;
  p.maxAnswer = ExtentAnswer(3302, 4877);
  p.minAnswer = ExtentAnswer(900, 1480);
  return p;
}

TEST(CustomPaperRecord, StoredLayout) {
  // The field offsets are proved at compile time; the bytes of one record here.
  CustomPaperRecord r = Paper(u"AB", 0x01020304, 0x05060708, -1, 2, 3, 4);
  std::uint8_t bytes[163];
  std::memcpy(bytes, &r, sizeof bytes);
  EXPECT_EQ(0x08, bytes[5]);   // length, little-endian
  EXPECT_EQ(0x05, bytes[8]);
  EXPECT_EQ(0x04, bytes[9]);   // width
  EXPECT_EQ('A', bytes[13]);
  EXPECT_EQ(0, bytes[14]);
  EXPECT_EQ('B', bytes[15]);
  EXPECT_EQ(0, bytes[17]);
  EXPECT_EQ(0xFF, bytes[143]);  // left margin -1
  EXPECT_EQ(0xFF, bytes[146]);
  EXPECT_EQ(2, bytes[147]);
  EXPECT_EQ(3, bytes[151]);
  EXPECT_EQ(4, bytes[155]);
}

TEST(CustomPaperRecord, NamesStopAt64Characters) {
  const std::u16string longName(80, u'x');
  CustomPaperRecord r{};
  qv::ui::SetPaperName(&r, longName);
  EXPECT_EQ(std::u16string(64, u'x'), qv::ui::PaperName(r));
  // A stored name that fills all 65 characters is read as its first 64.
  std::memset(r.name, 0x41, sizeof r.name);
  EXPECT_EQ(64u, qv::ui::PaperName(r).size());
}

TEST(Extents, FromTheDeviceAnswer) {
  struct Case {
    std::int32_t answer;
    Extent max, min;
  } cases[] = {
      {ExtentAnswer(3302, 4877), {3300, 4870}, {3311, 4881}},
      {ExtentAnswer(900, 1480), {900, 1480}, {911, 1491}},
      {ExtentAnswer(1000, 1005), {1000, 1000}, {1011, 1011}},
      {ExtentAnswer(65535, 65534), {65530, 65530}, {65541, 65541}},  // 65535 x 65535 would be -1
      {-1, {0, 0}, {0, 0}},  // failure: no extent, not 6553.5 mm
      {0, {0, 0}, {11, 11}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    const Extent max = qv::ui::MaxExtentFromAnswer(c.answer);
    const Extent min = qv::ui::MinExtentFromAnswer(c.answer);
    EXPECT_EQ(c.max.width, max.width);
    EXPECT_EQ(c.max.length, max.length);
    EXPECT_EQ(c.min.width, min.width);
    EXPECT_EQ(c.min.length, min.length);
  }
}

TEST(Extents, NoPrinterOrNoInformationIsZero) {
  FakePrinter p = ExamplePrinter();
  p.infoReadable = false;
  FakePaperSpooler s(&p);
  EXPECT_EQ(0u, qv::ui::GetMaxExtent(&s).width);
  EXPECT_EQ(0u, qv::ui::GetMinExtent(&s).length);
  EXPECT_EQ(0u, qv::ui::GetMaxExtent(nullptr).length);
}

TEST(SaveCustomPapers, EmptyListStoresMaximumAndMinimum) {
  FakePrinter p = ExamplePrinter();
  FakePaperSpooler s(&p);
  ASSERT_TRUE(qv::ui::SaveCustomPapers(&s, {}));
  ASSERT_TRUE(p.value);
  ASSERT_EQ(326u, p.value->size());
  const CustomPaperList stored = Records(*p.value);
  EXPECT_EQ(u"Maximum", qv::ui::PaperName(stored[0]));
  EXPECT_EQ(330000u, +stored[0].width);
  EXPECT_EQ(487000u, +stored[0].length);
  EXPECT_EQ(u"Minimum", qv::ui::PaperName(stored[1]));
  EXPECT_EQ(91100u, +stored[1].width);
  EXPECT_EQ(149100u, +stored[1].length);
  // Margins and reserved fields zero: the records are exactly these.
  EXPECT_EQ(Stored({Paper(u"Maximum", 330000, 487000), Paper(u"Minimum", 91100, 149100)}), *p.value);

  // Forms of exactly those sizes, the whole sheet imageable.
  ASSERT_EQ(2u, p.forms.size());
  const PaperForm* max = p.Form(u"Maximum");
  ASSERT_NE(nullptr, max);
  EXPECT_EQ(2u, max->flags);
  EXPECT_EQ(330000, max->width);
  EXPECT_EQ(487000, max->length);
  EXPECT_EQ(0, max->left);
  EXPECT_EQ(0, max->top);
  EXPECT_EQ(330000, max->right);
  EXPECT_EQ(487000, max->bottom);
  const PaperForm* min = p.Form(u"Minimum");
  ASSERT_NE(nullptr, min);
  EXPECT_EQ(91100, min->width);
  EXPECT_EQ(149100, min->bottom);
}

TEST(SaveCustomPapers, FormsAddedOnlyWhenMissingUpdatedOnlyWhenDifferent) {
  FakePrinter p = ExamplePrinter();
  FakePaperSpooler s(&p);
  ASSERT_TRUE(qv::ui::SaveCustomPapers(&s, {}));
  EXPECT_EQ((std::vector<std::u16string>{u"Maximum", u"Minimum"}), p.added);
  EXPECT_TRUE(p.updated.empty());

  // Equal forms are left alone.
  ASSERT_TRUE(qv::ui::SaveCustomPapers(&s, {}));
  EXPECT_EQ(2u, p.added.size());
  EXPECT_TRUE(p.updated.empty());

  // The device's maximum changed: that form alone is updated, nothing added.
  p.maxAnswer = ExtentAnswer(3000, 4877);
  ASSERT_TRUE(qv::ui::SaveCustomPapers(&s, {}));
  EXPECT_EQ(2u, p.added.size());
  EXPECT_EQ(std::vector<std::u16string>{u"Maximum"}, p.updated);
  EXPECT_EQ(300000, p.Form(u"Maximum")->width);
}

TEST(SyncForm, EachDifferingFieldUpdates) {
  const CustomPaperRecord paper = Paper(u"Card", 100000, 150000, 1000, 2000, 3000, 4000);
  const PaperForm wanted = qv::ui::FormFromRecord(paper);
  EXPECT_EQ(1000, wanted.left);
  EXPECT_EQ(3000, wanted.top);
  EXPECT_EQ(98000, wanted.right);
  EXPECT_EQ(146000, wanted.bottom);
  struct Change {
    const char* what;
    void (*apply)(PaperForm&);
  } changes[] = {
      {"flags", [](PaperForm& f) { f.flags = 0; }},
      {"width", [](PaperForm& f) { f.width += 100; }},
      {"length", [](PaperForm& f) { f.length += 100; }},
      {"left", [](PaperForm& f) { f.left = 0; }},
      {"top", [](PaperForm& f) { f.top = 0; }},
      {"right", [](PaperForm& f) { f.right = 0; }},
      {"bottom", [](PaperForm& f) { f.bottom = 0; }},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.what);
    FakePrinter p;
    PaperForm old = wanted;
    c.apply(old);
    p.forms = {old};
    FakePaperSpooler s(&p);
    qv::ui::SyncForm(&s, paper);
    EXPECT_TRUE(p.added.empty());
    EXPECT_EQ(std::vector<std::u16string>{u"Card"}, p.updated);
  }
  FakePrinter same;
  same.forms = {wanted};
  FakePaperSpooler s(&same);
  qv::ui::SyncForm(&s, paper);
  EXPECT_TRUE(same.added.empty());
  EXPECT_TRUE(same.updated.empty());
}

TEST(SyncForm, SizesRoundToTheNearestTenthMillimetreHalvesUp) {
  struct Case {
    std::uint32_t micrometres;
    std::int32_t form;
  } cases[] = {{210049, 210000}, {210050, 210100}, {0, 0}, {49, 0}, {50, 100},
               {4294967295u, 2147483647}};  // 64-bit arithmetic, clamped to a LONG
  for (const Case& c : cases) {
    SCOPED_TRACE(c.micrometres);
    const PaperForm form = qv::ui::FormFromRecord(Paper(u"P", c.micrometres, c.micrometres));
    EXPECT_EQ(c.form, form.width);
    EXPECT_EQ(c.form, form.length);
  }
  EXPECT_EQ(42949673, qv::ui::MicrometresToTenths(4294967295u));
}

TEST(SaveCustomPapers, ListOrderDuplicatesAndExtentRecords) {
  FakePrinter p = ExamplePrinter();
  FakePaperSpooler s(&p);
  const CustomPaperList list = {Paper(u"A", 100000, 200000), Paper(u"Maximum", 1, 1),
                                Paper(u"B", 50000, 60000), Paper(u"A", 110000, 210000),
                                Paper(u"a", 1000, 1000), Paper(u"Minimum", 2, 2)};
  ASSERT_TRUE(qv::ui::SaveCustomPapers(&s, list));
  EXPECT_EQ(Stored({Paper(u"A", 110000, 210000), Paper(u"B", 50000, 60000), Paper(u"a", 1000, 1000),
                    Paper(u"Maximum", 330000, 487000), Paper(u"Minimum", 91100, 149100)}),
            *p.value);
  EXPECT_EQ((std::vector<std::u16string>{u"A", u"B", u"a", u"Maximum", u"Minimum"}), p.added);
}

TEST(SaveCustomPapers, FailedWriteIsFalse) {
  FakePrinter p = ExamplePrinter();
  p.writeFails = true;
  FakePaperSpooler s(&p);
  EXPECT_FALSE(qv::ui::SaveCustomPapers(&s, {}));
  EXPECT_EQ(1, p.valueWrites);
  EXPECT_FALSE(qv::ui::SaveCustomPapers(nullptr, {}));
}

TEST(LoadCustomPapers, ExtentRecordsTakeTheDeviceExtents) {
  FakePrinter p = ExamplePrinter();
  p.value = Stored({Paper(u"Maximum", 1, 2), Paper(u"Minimum", 3, 4)});
  FakePaperSpooler s(&p);
  CustomPaperList list;
  ASSERT_TRUE(qv::ui::LoadCustomPapers(&s, &list));
  ASSERT_EQ(2u, list.size());
  EXPECT_EQ(330000u, +list[0].width);
  EXPECT_EQ(487000u, +list[0].length);
  EXPECT_EQ(91100u, +list[1].width);
  EXPECT_EQ(149100u, +list[1].length);
  EXPECT_EQ(0, p.valueWrites);  // the stored value is not rewritten by loading
}

TEST(LoadCustomPapers, AppendsInStoredOrder) {
  FakePrinter p = ExamplePrinter();
  p.value = Stored({Paper(u"Card", 100000, 150000, 1, 2, 3, 4), Paper(u"maximum", 7, 8)});
  FakePaperSpooler s(&p);
  CustomPaperList list = {Paper(u"Old", 1, 1)};
  ASSERT_TRUE(qv::ui::LoadCustomPapers(&s, &list));
  ASSERT_EQ(3u, list.size());
  EXPECT_EQ(u"Card", qv::ui::PaperName(list[1]));
  EXPECT_EQ(4, +list[1].bottomMargin);
  EXPECT_EQ(7u, +list[2].width);  // only the exact name "Maximum" is refreshed
}

TEST(LoadCustomPapers, StoredNameWithoutTerminator) {
  FakePrinter p = ExamplePrinter();
  CustomPaperRecord r = Paper(u"", 1, 1);
  for (std::size_t i = 0; i < 65; ++i) r.name[i] = u'N';
  p.value = Stored({r});
  FakePaperSpooler s(&p);
  CustomPaperList list;
  ASSERT_TRUE(qv::ui::LoadCustomPapers(&s, &list));
  ASSERT_EQ(1u, list.size());
  EXPECT_EQ(0, +list[0].name[64]);  // terminator forced on load
  EXPECT_EQ(std::u16string(64, u'N'), qv::ui::PaperName(list[0]));
}

TEST(LoadCustomPapers, SizesThatAreNotWholeRecords) {
  struct Case {
    const char* what;
    std::optional<std::vector<std::uint8_t>> value;
    bool has, loads;
    std::size_t records;
  } cases[] = {
      {"absent", std::nullopt, false, true, 0},
      {"empty", std::vector<std::uint8_t>{}, false, true, 0},
      {"300 bytes", std::vector<std::uint8_t>(300, 0x41), false, false, 0},
      {"162 bytes", std::vector<std::uint8_t>(162, 0), false, false, 0},
      {"164 bytes", std::vector<std::uint8_t>(164, 0), false, false, 0},
      {"one record", std::vector<std::uint8_t>(163, 0), true, true, 1},
      {"three records", std::vector<std::uint8_t>(489, 0x7F), true, true, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakePrinter p = ExamplePrinter();
    p.value = c.value;
    FakePaperSpooler s(&p);
    EXPECT_EQ(c.has, qv::ui::HasCustomPapers(&s));
    CustomPaperList list;
    EXPECT_EQ(c.loads, qv::ui::LoadCustomPapers(&s, &list));
    EXPECT_EQ(c.records, list.size());
  }
  EXPECT_FALSE(qv::ui::HasCustomPapers(nullptr));
}

TEST(LoadCustomPapers, ReadReportingAnotherSizeAddsNothing) {
  FakePrinter p = ExamplePrinter();
  p.value = Stored({Paper(u"Maximum", 1, 2), Paper(u"Minimum", 3, 4)});
  p.readReportsSize = 163;
  FakePaperSpooler s(&p);
  CustomPaperList list;
  EXPECT_TRUE(qv::ui::LoadCustomPapers(&s, &list));
  EXPECT_TRUE(list.empty());
}

// ---- Opening by name, printer events, upgrades -----------------------------------------

TEST(OpenPrinterByName, ExactNameFirst) {
  FakeDirectory d;
  d.printers[u"Laser"];
  d.printers[u"Laser 2"];
  d.enumeration = {u"Laser 2", u"Laser"};
  EXPECT_NE(nullptr, qv::ui::OpenPrinterByName(d, u"Laser"));
  EXPECT_EQ(std::vector<std::u16string>{u"Laser"}, d.openAttempts);
  EXPECT_EQ(1, d.closes);  // the returned object closed the printer
}

TEST(OpenPrinterByName, FirstOpenablePrefixMatchInEnumerationOrder) {
  FakeDirectory d;
  d.printers[u"Proof B"];
  d.printers[u"Proof A"];
  d.printers[u"Proof C"];
  d.refused = {u"Proof B"};
  d.enumeration = {u"Other", u"Proof B", u"Proof A", u"Proof C"};
  auto printer = qv::ui::OpenPrinterByName(d, u"Proof");
  ASSERT_NE(nullptr, printer);
  EXPECT_EQ((std::vector<std::u16string>{u"Proof", u"Proof B", u"Proof A"}), d.openAttempts);
}

TEST(OpenPrinterByName, ExactNameThatDoesNotOpenIsNotTriedAgain) {
  FakeDirectory d;
  d.printers[u"Proof"];
  d.refused = {u"Proof"};
  d.enumeration = {u"Proof", u"proof x"};  // prefix match is case-sensitive
  EXPECT_EQ(nullptr, qv::ui::OpenPrinterByName(d, u"Proof"));
  EXPECT_EQ(std::vector<std::u16string>{u"Proof"}, d.openAttempts);
}

TEST(OpenPrinterByName, EmptyNameOpensNothing) {
  FakeDirectory d;
  d.printers[u"Any"];
  d.enumeration = {u"Any"};
  EXPECT_EQ(nullptr, qv::ui::OpenPrinterByName(d, u""));
  EXPECT_TRUE(d.openAttempts.empty());
}

TEST(PrinterEvent, ResetsTheListAndClosesThePrinter) {
  FakeDirectory d;
  FakePrinter& p = d.printers[u"Proof"] = ExamplePrinter();
  p.value = Stored({Paper(u"Card", 100000, 150000), Paper(u"Maximum", 1, 1), Paper(u"Minimum", 1, 1)});
  qv::ui::HandlePrinterEvent(d, u"Proof");
  EXPECT_EQ(Stored({Paper(u"Maximum", 330000, 487000), Paper(u"Minimum", 91100, 149100)}), *p.value);
  EXPECT_EQ(1, d.closes);
  // "Card"'s form stays as it was.
  EXPECT_EQ((std::vector<std::u16string>{u"Maximum", u"Minimum"}), p.added);
}

TEST(PrinterEvent, UnknownPrinterIsSkipped) {
  FakeDirectory d;
  qv::ui::HandlePrinterEvent(d, u"Nowhere");
  EXPECT_EQ(0, d.closes);
}

TEST(UpgradePrinter, RewritesAnUnusableValue) {
  FakeDirectory d;
  FakePrinter& p = d.printers[u"Proof"] = ExamplePrinter();
  p.value = std::vector<std::uint8_t>(300, 0x41);
  {
    FakePaperSpooler s(&p);
    EXPECT_FALSE(qv::ui::HasCustomPapers(&s));
  }
  EXPECT_TRUE(qv::ui::HandleUpgradePrinter(d, u"Proof"));
  ASSERT_EQ(326u, p.value->size());
  EXPECT_EQ(1, d.closes);
}

TEST(UpgradePrinter, KeepsAUsableValue) {
  FakeDirectory d;
  FakePrinter& p = d.printers[u"Proof"] = ExamplePrinter();
  p.value = Stored({Paper(u"Card", 100000, 150000)});
  EXPECT_TRUE(qv::ui::HandleUpgradePrinter(d, u"Proof"));
  EXPECT_EQ(0, p.valueWrites);
  EXPECT_EQ(163u, p.value->size());
  EXPECT_TRUE(qv::ui::HandleUpgradePrinter(d, u"Nowhere"));
}

}  // namespace
