// The Windows shell of qvui_core under Wine: custom papers on a real Wine printer (its
// printer data works; its forms are stubs, so forms are shown through the seam in the
// native tests), the paper capabilities on that printer, and the push of the feature
// selections to a core driver double.
#include <gtest/gtest.h>

#include <windows.h>
#include <winddiui.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

#include "CoreDriverDoubles.h"
#include "FeatureOptionPush.h"
#include "FeatureOptions.h"
#include "PaperRecords.h"
#include "Papers.h"
#include "PrivateDevmode.h"
#include "WinSpooler.h"

namespace {

using qv::ui::CustomPaperList;
using qv::ui::CustomPaperRecord;
using qv::ui::test::Paper;
using qv::ui::test::PaperBytes;
using qv::ui::test::FakeCoreUI2;
using qv::ui::test::FakeDriverUI;

const wchar_t kPrinter[] = L"QV Papers Test Printer";
const wchar_t kDriver[] = L"QV Papers Test Driver";

bool WriteFileBytes(const std::wstring& path, const char* bytes, DWORD size) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  const BOOL ok = ::WriteFile(h, bytes, size, &n, nullptr);
  ::CloseHandle(h);
  return ok && n == size;
}

// A driver whose configuration file is not a DLL (Wine then leaves its property sheets
// alone) and one printer using it. The program has a prefix of its own.
class PapersWine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    wchar_t dir[MAX_PATH] = {};
    DWORD need = 0;
    ASSERT_TRUE(::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir),
                                             sizeof dir, &need));
    const std::wstring config = std::wstring(dir) + L"\\qvpapers.cfg";
    ASSERT_TRUE(WriteFileBytes(config, "cfg", 3));
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<LPWSTR>(kDriver);
    driver.pDriverPath = const_cast<LPWSTR>(config.c_str());
    driver.pDataFile = const_cast<LPWSTR>(config.c_str());
    driver.pConfigFile = const_cast<LPWSTR>(config.c_str());
    ASSERT_TRUE(::AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) << ::GetLastError();
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<LPWSTR>(kPrinter);
    info.pPortName = const_cast<LPWSTR>(L"LPT1:");
    info.pDriverName = driver.pName;
    info.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    HANDLE printer = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    ASSERT_NE(nullptr, printer) << ::GetLastError();
    ::ClosePrinter(printer);
  }

  void SetUp() override {
    PRINTER_DEFAULTSW defaults{};
    defaults.DesiredAccess = PRINTER_ALL_ACCESS;
    ASSERT_TRUE(::OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer_, &defaults));
  }
  void TearDown() override {
    if (printer_) ::ClosePrinter(printer_);
  }

  void Store(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(DWORD(ERROR_SUCCESS),
              ::SetPrinterDataW(printer_, const_cast<LPWSTR>(L"LastCustomPapers"), REG_BINARY,
                                const_cast<BYTE*>(bytes.data()), DWORD(bytes.size())));
  }
  std::vector<std::uint8_t> Stored() {
    std::vector<std::uint8_t> bytes(4096);
    DWORD type = 0, need = 0;
    const DWORD rc = ::GetPrinterDataW(printer_, const_cast<LPWSTR>(L"LastCustomPapers"), &type,
                                       bytes.data(), DWORD(bytes.size()), &need);
    EXPECT_EQ(DWORD(ERROR_SUCCESS), rc);
    EXPECT_EQ(DWORD(REG_BINARY), type);
    bytes.resize(rc == ERROR_SUCCESS ? need : 0);
    return bytes;
  }

  HANDLE printer_ = nullptr;
};

// What a reset must store on this printer: the device extents as Wine reports them.
std::vector<std::uint8_t> ResetValue(HANDLE printer) {
  const qv::ui::Extent max = qv::ui::win::GetMaxExtent(printer);
  const qv::ui::Extent min = qv::ui::win::GetMinExtent(printer);
  return PaperBytes({Paper(u"Maximum", max.width * 100, max.length * 100),
                Paper(u"Minimum", min.width * 100, min.length * 100)});
}

TEST_F(PapersWine, PrinterEventLeavesExactlyTheTwoExtentRecords) {
  Store(PaperBytes({Paper(u"Card", 100000, 150000), Paper(u"Maximum", 1, 1), Paper(u"Minimum", 1, 1)}));
  qv::ui::win::HandlePrinterEvent(kPrinter, PRINTER_EVENT_INITIALIZE);
  const std::vector<std::uint8_t> value = Stored();
  ASSERT_EQ(326u, value.size());
  EXPECT_EQ(ResetValue(printer_), value);

  // Every event code, and the name's prefix reaches the printer too.
  Store(std::vector<std::uint8_t>(489, 0));
  qv::ui::win::HandlePrinterEvent(L"QV Papers Test", PRINTER_EVENT_ATTRIBUTES_CHANGED);
  EXPECT_EQ(326u, Stored().size());

  qv::ui::win::HandlePrinterEvent(nullptr, PRINTER_EVENT_INITIALIZE);  // nothing to do
  qv::ui::win::HandlePrinterEvent(L"", PRINTER_EVENT_INITIALIZE);
}

TEST_F(PapersWine, UpgradeRewritesOnlyAnUnusableValue) {
  Store(std::vector<std::uint8_t>(300, 0x41));
  EXPECT_FALSE(qv::ui::win::HasCustomPapers(printer_));
  struct {
    LPWSTR printerName;
    LPWSTR oldDriverDirectory;
  } info = {const_cast<LPWSTR>(kPrinter), nullptr};
  EXPECT_TRUE(qv::ui::win::HandleUpgradePrinter(1, reinterpret_cast<BYTE*>(&info)));
  EXPECT_EQ(326u, Stored().size());
  EXPECT_TRUE(qv::ui::win::HasCustomPapers(printer_));

  const std::vector<std::uint8_t> three =
      PaperBytes({Paper(u"Card", 100000, 150000), Paper(u"Maximum", 1, 1), Paper(u"Minimum", 1, 1)});
  Store(three);
  EXPECT_TRUE(qv::ui::win::HandleUpgradePrinter(2, reinterpret_cast<BYTE*>(&info)));
  EXPECT_EQ(three, Stored());

  EXPECT_TRUE(qv::ui::win::HandleUpgradePrinter(1, nullptr));
  EXPECT_FALSE(qv::ui::win::HasCustomPapers(nullptr));
}

std::wstring PrinterName(HANDLE printer) {
  DWORD need = 0;
  ::GetPrinterW(printer, 5, nullptr, 0, &need);
  std::vector<BYTE> buffer(need + sizeof(PRINTER_INFO_5W));
  if (!::GetPrinterW(printer, 5, buffer.data(), DWORD(buffer.size()), &need)) return L"";
  const wchar_t* name = reinterpret_cast<const PRINTER_INFO_5W*>(buffer.data())->pPrinterName;
  return name ? name : L"";
}

TEST_F(PapersWine, OpenPrinterByNameAndPrefix) {
  for (const wchar_t* name : {kPrinter, L"QV Papers"}) {
    HANDLE h = qv::ui::win::OpenPrinterByName(name);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(std::wstring(kPrinter), PrinterName(h));
    ::ClosePrinter(h);
  }
  EXPECT_EQ(nullptr, qv::ui::win::OpenPrinterByName(L"No Such Printer"));
  EXPECT_EQ(nullptr, qv::ui::win::OpenPrinterByName(nullptr));
  EXPECT_FALSE(qv::ui::win::IsWin9x());
}

TEST_F(PapersWine, SaveLoadRoundTrip) {
  ASSERT_TRUE(qv::ui::win::SaveCustomPapers(printer_, {Paper(u"Card", 100000, 150000)}));
  CustomPaperList loaded;
  ASSERT_TRUE(qv::ui::win::LoadCustomPapers(printer_, &loaded));
  ASSERT_EQ(3u, loaded.size());
  EXPECT_EQ(u"Card", qv::ui::PaperName(loaded[0]));
  EXPECT_EQ(u"Maximum", qv::ui::PaperName(loaded[1]));
  ASSERT_TRUE(qv::ui::win::SaveCustomPapers(printer_));
  EXPECT_EQ(ResetValue(printer_), Stored());
}

DWORD FormCount(HANDLE printer) {
  DWORD need = 0, count = 0;
  ::EnumFormsW(printer, 1, nullptr, 0, &need, &count);
  std::vector<BYTE> buffer(need);
  if (!need || !::EnumFormsW(printer, 1, buffer.data(), need, &need, &count)) return 0;
  return count;
}

TEST_F(PapersWine, PaperCapabilitiesOnTheRealPrinter) {
  ASSERT_TRUE(qv::ui::win::SaveCustomPapers(printer_));
  using qv::ui::win::AppendCustomPapers;
  EXPECT_EQ(21u, AppendCustomPapers(nullptr, printer_, nullptr, DC_PAPERS, nullptr, nullptr, nullptr, 20));

  std::vector<WORD> ids(23, 0xBEEF);
  EXPECT_EQ(21u, AppendCustomPapers(nullptr, printer_, nullptr, DC_PAPERS, ids.data() + 1, nullptr, nullptr, 20));
  // Wine's forms are stubs: neither paper has a form, so both take the count plus one.
  const WORD id = WORD(FormCount(printer_) + 1);
  EXPECT_EQ(id, ids[20]);
  EXPECT_EQ(id, ids[21]);
  EXPECT_EQ(0xBEEF, ids[19]);
  EXPECT_EQ(0xBEEF, ids[0]);
  EXPECT_EQ(0xBEEF, ids[22]);

  std::vector<POINT> sizes(21);
  EXPECT_EQ(21u, AppendCustomPapers(nullptr, printer_, nullptr, DC_PAPERSIZE, sizes.data(), nullptr, nullptr, 20));
  EXPECT_EQ(LONG(qv::ui::win::GetMaxExtent(printer_).width), sizes[19].x);
  EXPECT_EQ(LONG(qv::ui::win::GetMinExtent(printer_).length), sizes[20].y);

  std::vector<wchar_t> names(21 * 64, L'#');
  EXPECT_EQ(21u, AppendCustomPapers(nullptr, printer_, nullptr, DC_PAPERNAMES, names.data(), nullptr, nullptr, 20));
  EXPECT_EQ(std::wstring(L"Maximum") + std::wstring(57, L'\0'), std::wstring(&names[19 * 64], 64));
  EXPECT_EQ(std::wstring(L"Minimum") + std::wstring(57, L'\0'), std::wstring(&names[20 * 64], 64));
  EXPECT_EQ(L'#', names[19 * 64 - 1]);

  EXPECT_EQ(20u, AppendCustomPapers(nullptr, printer_, nullptr, DC_BINS, names.data(), nullptr, nullptr, 20));
  EXPECT_EQ(20u, AppendCustomPapers(nullptr, nullptr, nullptr, DC_PAPERS, ids.data(), nullptr, nullptr, 20));
}

// The only test of this program that asks DC_FIELDS: the process's once-flag.
TEST_F(PapersWine, FirstFieldsQueryWithAPrinterResets) {
  using qv::ui::win::AppendCustomPapers;
  const std::vector<std::uint8_t> three =
      PaperBytes({Paper(u"Card", 100000, 150000), Paper(u"Maximum", 1, 1), Paper(u"Minimum", 1, 1)});
  Store(three);
  EXPECT_EQ(9u, AppendCustomPapers(nullptr, nullptr, nullptr, DC_FIELDS, nullptr, nullptr, nullptr, 9));
  EXPECT_EQ(9u, AppendCustomPapers(nullptr, printer_, nullptr, DC_FIELDS, nullptr, nullptr, nullptr, 9));
  EXPECT_EQ(326u, Stored().size());
  Store(three);
  EXPECT_EQ(9u, AppendCustomPapers(nullptr, printer_, nullptr, DC_FIELDS, nullptr, nullptr, nullptr, 9));
  EXPECT_EQ(three, Stored());
}

// ---- PushFeatureOptions against core driver doubles ---------------------------------

TEST(PushFeatureOptions, HandsThe68PairsToSetOptions) {
  const qv::PrivateDevmodeBody record = qv::MakeDefaultPrivateDevmode(7);
  FakeCoreUI2 core;
  OEMUIOBJ obj{};
  EXPECT_TRUE(qv::ui::win::PushFeatureOptions(&record, &core, &obj));
  ASSERT_EQ(1u, core.setOptions.size());
  EXPECT_EQ(&obj, core.setOptions[0].poemuiobj);
  EXPECT_EQ(DWORD(SETOPTIONS_FLAG_KEEP_CONFLICT), core.setOptions[0].flags);
  qv::ui::FeatureOptionList list;
  qv::ui::BuildFeatureOptions(record, &list);
  ASSERT_EQ(68u, list.size());
  std::string expected(qv::ui::SelectionBufferSize(list), '\0');
  qv::ui::WriteSelectionBuffer(list, expected.data(), expected.size());
  EXPECT_EQ(expected, core.setOptions[0].buffer);
  EXPECT_EQ(1, core.refs);  // the queried interface was released
}

TEST(PushFeatureOptions, NothingSentWithoutIPrintCoreUI2OrArguments) {
  const qv::PrivateDevmodeBody record = qv::MakeDefaultPrivateDevmode(7);
  FakeDriverUI older;
  OEMUIOBJ obj{};
  EXPECT_FALSE(qv::ui::win::PushFeatureOptions(&record, &older, &obj));
  EXPECT_EQ(1, older.refs);
  FakeCoreUI2 core;
  EXPECT_FALSE(qv::ui::win::PushFeatureOptions(nullptr, &core, &obj));
  EXPECT_FALSE(qv::ui::win::PushFeatureOptions(&record, nullptr, &obj));
  EXPECT_FALSE(qv::ui::win::PushFeatureOptions(&record, &core, nullptr));
  EXPECT_TRUE(core.setOptions.empty());
  EXPECT_EQ(1, core.refs);
}

}  // namespace
