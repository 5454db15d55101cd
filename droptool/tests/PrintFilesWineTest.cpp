// PrintFiles on a real Wine printer whose port writes each job to a file of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <thread>

#include "WineHarness.h"

namespace {

using druxtest::BoxWatcher;

const wchar_t kPrinter[] = L"DRUX Test";

class PrintFilesOnWine : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    dir_ = druxtest::MakeCaptureDir("jobs");
    std::wstring error;
    ready_ = druxtest::AddCapturePrinter(kPrinter, L"DRUXTEST:", druxtest::JobFileCommand(dir_),
                                         &error);
    setupError_ = error;
    ::CreateDirectoryW(L"C:\\jobs", nullptr);
  }
  static void TearDownTestSuite() {
    druxtest::ClearJobs(dir_);
    ::RemoveDirectoryW(dir_.windowsPath.c_str());
  }
  void SetUp() override {
    ASSERT_TRUE(ready_) << std::string(setupError_.begin(), setupError_.end());
    druxtest::ClearJobs(dir_);
  }
  static std::vector<uint8_t> Pattern(size_t size, unsigned seed) {
    std::vector<uint8_t> b(size);
    for (size_t i = 0; i < size; ++i) b[i] = uint8_t((i * 131 + seed + i / 977) & 0xFF);
    return b;
  }
  static CStringList List(std::initializer_list<const wchar_t*> paths) {
    CStringList l;
    for (auto p : paths) l.AddTail(p);
    return l;
  }
  static druxtest::CaptureDir dir_;
  static bool ready_;
  static std::wstring setupError_;
};
druxtest::CaptureDir PrintFilesOnWine::dir_;
bool PrintFilesOnWine::ready_ = false;
std::wstring PrintFilesOnWine::setupError_;

TEST_F(PrintFilesOnWine, FilesArriveByteForByteOneJobEach) {
  std::vector<uint8_t> binary = Pattern(1048576 + 123, 7);
  // NUL, end-of-file, CR and LF bytes, also as a CR LF pair and across a chunk edge.
  for (size_t at : {size_t(0), size_t(32767), size_t(32768), size_t(500000), binary.size() - 1})
    binary[at] = 0;
  const uint8_t specials[] = {0x00, 0x1A, 0x0D, 0x0A, 0x0D, 0x0A, 0x1A, 0x00};
  std::copy(specials, specials + 8, binary.begin() + 32764);
  const std::vector<std::vector<uint8_t>> contents = {
      {}, {0x1A}, Pattern(32768, 1), Pattern(32769, 2), binary};
  const wchar_t* names[] = {L"C:\\jobs\\empty.ps", L"C:\\jobs\\one.ps", L"C:\\jobs\\exact.ps",
                            L"C:\\jobs\\plus1.ps", L"C:\\jobs\\binary.prn"};
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(druxtest::WriteFileBytes(names[i], contents[size_t(i)]));

  BoxWatcher watcher;
  druxtest::RecordingSpooler spooler;
  drux::PrintFilesWith(spooler, kPrinter,
                       List({names[0], L"C:\\jobs", names[1], L"C:\\jobs\\missing.ps", names[2],
                             names[3], names[4]}),
                       nullptr);

  EXPECT_TRUE(watcher.boxes.empty());
  const auto jobs = druxtest::ReadJobs(dir_);
  ASSERT_EQ(5u, jobs.size());
  for (size_t i = 0; i < 5; ++i) EXPECT_TRUE(jobs[i] == contents[i]) << "job " << i;
  EXPECT_THAT(spooler.documentNames,
              ::testing::ElementsAre(L"empty.ps [C:\\jobs]", L"one.ps [C:\\jobs]",
                                     L"exact.ps [C:\\jobs]", L"plus1.ps [C:\\jobs]",
                                     L"binary.prn [C:\\jobs]"));
  // 0 bytes: one write of 0; 32768: a chunk and one of 0; 1 MB + 123: 33 + 1.
  EXPECT_EQ(1 + 1 + 2 + 2 + 33, spooler.writes);
  EXPECT_EQ(1, spooler.opens);
  EXPECT_EQ(1, spooler.closes);
}

TEST_F(PrintFilesOnWine, ListWithoutRegularFileShowsNoWindowAndClosesThePrinter) {
  BoxWatcher watcher;
  druxtest::RecordingSpooler spooler;
  drux::PrintFilesWith(spooler, kPrinter, List({L"C:\\jobs", L"C:\\nothing.ps", L"C:\\windows"}),
                       nullptr);
  EXPECT_EQ(0, watcher.topLevelWindowsCreated);
  EXPECT_TRUE(watcher.boxes.empty());
  EXPECT_EQ(1, spooler.opens);
  EXPECT_EQ(1, spooler.closes);
  EXPECT_TRUE(druxtest::ReadJobs(dir_).empty());
}

TEST_F(PrintFilesOnWine, PrinterThatCannotBeOpenedShowsOneBoxWithItsError) {
  ASSERT_TRUE(druxtest::WriteFileBytes(L"C:\\jobs\\a.ps", {'a'}));
  HANDLE h = nullptr;
  ASSERT_FALSE(::OpenPrinterW(const_cast<LPWSTR>(L"No Such Printer"), &h, nullptr));
  const DWORD code = ::GetLastError();
  BoxWatcher watcher;
  PrintFiles(L"No Such Printer", List({L"C:\\jobs\\a.ps"}), nullptr);
  ASSERT_EQ(1u, watcher.boxes.size());
  EXPECT_EQ(L"Error while opening printer", watcher.boxes[0].caption);
  EXPECT_EQ(druxtest::SystemText(code), watcher.boxes[0].text);
  EXPECT_NE(druxtest::SystemText(0), watcher.boxes[0].text);
  EXPECT_EQ(0, watcher.progressWindowsActivated);
}

TEST_F(PrintFilesOnWine, LockedFileShowsItsErrorAndTheNextFileIsPrinted) {
  ASSERT_TRUE(druxtest::WriteFileBytes(L"C:\\jobs\\locked.ps", {'l'}));
  ASSERT_TRUE(druxtest::WriteFileBytes(L"C:\\jobs\\free.ps", {'f', 'r'}));
  HANDLE lock = ::CreateFileW(L"C:\\jobs\\locked.ps", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  BoxWatcher watcher;
  PrintFiles(kPrinter, List({L"C:\\jobs\\locked.ps", L"C:\\jobs\\free.ps"}), nullptr);
  ::CloseHandle(lock);
  ASSERT_EQ(1u, watcher.boxes.size());
  EXPECT_EQ(L"Error while opening file", watcher.boxes[0].caption);
  EXPECT_EQ(druxtest::SystemText(ERROR_SHARING_VIOLATION), watcher.boxes[0].text);
  const auto jobs = druxtest::ReadJobs(dir_);
  ASSERT_EQ(1u, jobs.size());
  EXPECT_EQ((std::vector<uint8_t>{'f', 'r'}), jobs[0]);
}

TEST_F(PrintFilesOnWine, WithoutAProgressWindowTheFilesStillPrint) {
  ASSERT_TRUE(druxtest::WriteFileBytes(L"C:\\jobs\\n1.ps", Pattern(40000, 6)));
  ASSERT_TRUE(druxtest::WriteFileBytes(L"C:\\jobs\\n2.ps", Pattern(5, 7)));
  HWND owner = druxtest::MakeOwnerWindow();
  CWnd ownerWnd;
  ASSERT_TRUE(ownerWnd.Attach(owner));
  BoxWatcher watcher;
  druxtest::RecordingSpooler spooler;
  drux::WinPrintUi ui(&ownerWnd);
  ui.Dialog().m_nIDTemplate = 4711;  // a template that does not exist
  drux::RunPrintJobs(spooler, ui, u"DRUX Test", {u"C:\\jobs\\n1.ps", u"C:\\jobs\\n2.ps"});
  EXPECT_EQ(0, watcher.progressWindowsActivated);
  EXPECT_TRUE(watcher.boxes.empty());
  EXPECT_TRUE(::IsWindowEnabled(owner));
  const auto jobs = druxtest::ReadJobs(dir_);
  ASSERT_EQ(2u, jobs.size());
  EXPECT_TRUE(jobs[0] == Pattern(40000, 6));
  EXPECT_TRUE(jobs[1] == Pattern(5, 7));
  ownerWnd.Detach();
  ::DestroyWindow(owner);
}

TEST_F(PrintFilesOnWine, CancelAsksAboutTheRestAndTheOwnerComesBack) {
  for (auto p : {L"C:\\jobs\\c1.ps", L"C:\\jobs\\c2.ps", L"C:\\jobs\\c3.ps"})
    ASSERT_TRUE(druxtest::WriteFileBytes(p, Pattern(100000, 3)));
  HWND owner = druxtest::MakeOwnerWindow();
  ASSERT_TRUE(owner);
  CWnd ownerWnd;
  ASSERT_TRUE(ownerWnd.Attach(owner));
  // Yes ends the run after the first file; No goes on with the other two.
  for (int answer : {IDYES, IDNO}) {
    SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
    BoxWatcher watcher(answer);
    druxtest::RecordingSpooler spooler;
    bool ownerDisabledWhileUp = false;
    HWND progress = nullptr;
    spooler.onWrite = [&](int write) {
      if (write != 1) return;
      progress = druxtest::FindProgressWindow();
      ownerDisabledWhileUp = !::IsWindowEnabled(owner);
      // The user presses Cancel while the first chunk goes.
      if (progress) ::PostMessageW(::GetDlgItem(progress, 1002), BM_CLICK, 0, 0);
    };
    drux::PrintFilesWith(spooler, kPrinter,
                         List({L"C:\\jobs\\c1.ps", L"C:\\jobs\\c2.ps", L"C:\\jobs\\c3.ps"}),
                         &ownerWnd);
    ASSERT_TRUE(progress) << "no progress window while printing";
    EXPECT_TRUE(ownerDisabledWhileUp);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_FALSE(::IsWindow(progress));
    ASSERT_LE(1u, watcher.boxes.size());
    EXPECT_EQ(L"Abort all File Prints?", watcher.boxes[0].text);
    EXPECT_EQ(L"drux_wine_tests", watcher.boxes[0].caption);
    EXPECT_EQ(answer == IDYES ? 1 : 3, spooler.documentsStarted);
    // Wine's AbortPrinter is a stub that leaves the document open, so there the next
    // StartDocPrinterW on the handle fails (1906) with one box per file; on Windows the
    // job is deleted and the handle takes the next document.
    EXPECT_EQ(answer == IDYES ? 1u : 3u, watcher.boxes.size());
    EXPECT_EQ(spooler.opens, spooler.closes);
  }
  ownerWnd.Detach();
  ::DestroyWindow(owner);
}

// ReadFile may stop short of the count asked before the end (a pipe shows it); the
// run takes a short chunk for the end of the file, so the seam must fill the chunk.
TEST(WinSpoolerRead, ShortReadsAreFilledToAWholeChunk) {
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 16));
  std::vector<uint8_t> bytes(40000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7 + i / 300);
  std::thread writer([&] {
    DWORD n = 0;
    ::WriteFile(writeEnd, bytes.data(), 20000, &n, nullptr);
    ::Sleep(50);  // the reader meets a pipe holding only the first half
    ::WriteFile(writeEnd, bytes.data() + 20000, 20000, &n, nullptr);
    ::CloseHandle(writeEnd);
  });
  drux::WinSpooler spooler;
  std::vector<uint8_t> chunk(drux::kChunkSize);
  uint32_t got = 0;
  const drux::CallResult r = spooler.ReadFile(readEnd, chunk.data(), drux::kChunkSize, &got);
  writer.join();
  ::CloseHandle(readEnd);
  EXPECT_TRUE(r.ok);
  ASSERT_EQ(drux::kChunkSize, got);
  EXPECT_TRUE(std::equal(chunk.begin(), chunk.end(), bytes.begin()));
}

}  // namespace
