#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakePrintSystem.h"
#include "PrintEngine.h"

namespace {

using druxtest::FakePrintSystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Log = std::vector<std::string>;

class PrintRun : public ::testing::Test {
protected:
  FakePrintSystem sys;
  void Add(const std::u16string& path, uint64_t size) { sys.files[path].size = size; }
  void Run(std::vector<std::u16string> paths) { drux::RunPrintJobs(sys, sys, u"P", paths); }
  // The bytes a job must carry to be the whole file.
  std::vector<uint8_t> Bytes(const std::u16string& path) {
    std::vector<uint8_t> b(size_t(sys.files.at(path).size));
    for (size_t i = 0; i < b.size(); ++i) b[i] = druxtest::FakeByte(path, i);
    return b;
  }
  std::vector<std::string> Ends() {
    std::vector<std::string> e;
    for (auto& j : sys.jobs) e.push_back(j.end);
    return e;
  }
  void TearDown() override {
    EXPECT_EQ(0, sys.openHandles) << "printer handle left open";
  }
};

TEST_F(PrintRun, EveryRegularFileBecomesOneWholeJobInOrder) {
  Add(u"C:\\jobs\\empty.ps", 0);
  Add(u"C:\\one.prn", 1);
  Add(u"\\exact.ps", 32768);
  Add(u"plus1.ps", 32769);
  sys.files[u"C:\\jobs"].regular = false;
  Run({u"C:\\jobs\\empty.ps", u"C:\\jobs", u"C:\\missing.ps", u"C:\\one.prn", u"\\exact.ps",
       u"plus1.ps"});

  EXPECT_THAT(sys.log,
              ElementsAre("OpenPrinter P", "Create",
                          "OpenFile C:\\jobs\\empty.ps", "StartDoc empty.ps [C:\\jobs] L1",
                          "StartPage", "Write 0", "EndPage", "EndDoc", "CloseFile",
                          "OpenFile C:\\one.prn", "StartDoc one.prn [C:] L1", "StartPage",
                          "Write 1", "EndPage", "EndDoc", "CloseFile",
                          "OpenFile \\exact.ps", "StartDoc exact.ps L1", "StartPage",
                          "Write 32768", "Write 0", "EndPage", "EndDoc", "CloseFile",
                          "OpenFile plus1.ps", "StartDoc plus1.ps L1", "StartPage",
                          "Write 32768", "Write 1", "EndPage", "EndDoc", "CloseFile",
                          "Destroy", "ClosePrinter"));
  ASSERT_EQ(4u, sys.jobs.size());
  EXPECT_EQ(Bytes(u"C:\\one.prn"), sys.jobs[1].data);
  EXPECT_EQ(Bytes(u"\\exact.ps"), sys.jobs[2].data);
  EXPECT_EQ(Bytes(u"plus1.ps"), sys.jobs[3].data);
  // Non-regular paths are not counted.
  EXPECT_THAT(sys.countTexts, ElementsAre("Printing: 1 of 4", "Printing: 2 of 4",
                                          "Printing: 3 of 4", "Printing: 4 of 4"));
  EXPECT_EQ(65538u, sys.range);
  EXPECT_EQ(65538u, sys.pos);
}

TEST_F(PrintRun, ListWithoutRegularFileShowsNothing) {
  sys.files[u"C:\\dir"].regular = false;
  Run({u"C:\\dir", u"C:\\nothing.ps"});
  EXPECT_THAT(sys.log, ElementsAre("OpenPrinter P", "ClosePrinter"));
}

TEST_F(PrintRun, PrinterThatCannotBeOpenedShowsOneBoxAndLooksAtNoFile) {
  Add(u"a.ps", 10);
  sys.openPrinterFails[1] = 1801;
  Run({u"a.ps"});
  EXPECT_THAT(sys.log, ElementsAre("OpenPrinter P", "Error 1801 Error while opening printer"));
  EXPECT_EQ(0, sys.queries);
}

TEST_F(PrintRun, Windows9xUsesLevel2AndReopensThePrinterAfterEachFile) {
  sys.win9x = true;
  Add(u"a.ps", 5);
  Add(u"b.ps", 5);
  sys.files[u"b.ps"].openError = 32;
  Add(u"c.ps", 5);
  Run({u"a.ps", u"b.ps", u"c.ps"});
  EXPECT_THAT(sys.log,
              ElementsAre("OpenPrinter P", "Create", "OpenFile a.ps", "StartDoc a.ps L2",
                          "StartPage", "Write 5", "EndPage", "EndDoc", "CloseFile",
                          "ClosePrinter", "OpenPrinter P",
                          // a file that cannot be opened does not reopen the printer
                          "OpenFile b.ps", "Error 32 Error while opening file",
                          "OpenFile c.ps", "StartDoc c.ps L2", "StartPage", "Write 5",
                          "EndPage", "EndDoc", "CloseFile", "ClosePrinter", "OpenPrinter P",
                          "Destroy", "ClosePrinter"));
}

TEST_F(PrintRun, Windows9xReopenFailureEndsTheRun) {
  sys.win9x = true;
  Add(u"a.ps", 5);
  Add(u"b.ps", 5);
  sys.openPrinterFails[2] = 5;
  Run({u"a.ps", u"b.ps"});
  EXPECT_THAT(sys.log,
              ElementsAre("OpenPrinter P", "Create", "OpenFile a.ps", "StartDoc a.ps L2",
                          "StartPage", "Write 5", "EndPage", "EndDoc", "CloseFile",
                          "ClosePrinter", "OpenPrinter P", "Error 5 Error while opening printer",
                          "Destroy"));
}

TEST_F(PrintRun, PartialWritesAreContinuedUntilTheChunkIsWhole) {
  Add(u"a.ps", 40000);
  sys.halfWrites = true;
  Run({u"a.ps"});
  EXPECT_THAT(Log(sys.log.begin() + 5, sys.log.end() - 5),
              ElementsAre("Write 32768", "Write 16384", "Write 8192", "Write 4096", "Write 2048",
                          "Write 1024", "Write 512", "Write 256", "Write 128", "Write 64",
                          "Write 32", "Write 16", "Write 8", "Write 4", "Write 2", "Write 1",
                          "Write 7232", "Write 3616", "Write 1808", "Write 904", "Write 452",
                          "Write 226", "Write 113", "Write 56", "Write 28", "Write 14",
                          "Write 7", "Write 3", "Write 1"));
  EXPECT_EQ(Bytes(u"a.ps"), sys.jobs.at(0).data);
}

TEST_F(PrintRun, TranslatedTextsAreUsed) {
  Add(u"a.ps", 1);
  sys.translations[u"IDS_PRINTFROMTO"] = u"Drucke %lu von %lu";
  sys.translations[u"IDS_ERR_WRITETOPRINTER"] = u"Schreibfehler";
  sys.writeFails[1] = 6;
  Run({u"a.ps"});
  EXPECT_THAT(sys.countTexts, ElementsAre("Drucke 1 von 1"));
  EXPECT_THAT(sys.log, ::testing::Contains("Error 6 Schreibfehler"));
}

// --- Cancel: on file k of 3, answered Yes or No -----------------------------------

struct CancelCase {
  const char* name;
  int cancelJob;
  bool yes;
  std::vector<std::string> ends;  // how each started job ended
  int asks;
};

class CancelTable : public PrintRun, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTable, DeletesTheCurrentJobAndAsksAboutTheRest) {
  const CancelCase& c = GetParam();
  for (auto p : {u"a.ps", u"b.ps", u"c.ps"}) Add(p, 3 * 32768);
  sys.cancelAtFirstWriteOfJob = c.cancelJob;
  sys.answerYes = c.yes;
  Run({u"a.ps", u"b.ps", u"c.ps"});
  EXPECT_EQ(c.ends, Ends());
  EXPECT_EQ(c.asks, int(std::count(sys.log.begin(), sys.log.end(),
                                   std::string("Ask Abort all File Prints?"))));
  // The cancelled job: its first chunk went, then EndPagePrinter and AbortPrinter.
  EXPECT_EQ(32768u, sys.jobs.at(size_t(c.cancelJob - 1)).data.size());
  auto abort = std::find(sys.log.begin(), sys.log.end(), "Abort");
  ASSERT_NE(sys.log.end(), abort);
  EXPECT_EQ("EndPage", *(abort - 1));
  if (c.asks) {
    EXPECT_EQ("Ask Abort all File Prints?", *(abort - 2));
  }
  EXPECT_EQ("Destroy", sys.log.end()[-2]);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CancelTable,
    ::testing::Values(CancelCase{"FirstYes", 1, true, {"Abort"}, 1},
                      CancelCase{"FirstNo", 1, false, {"Abort", "EndDoc", "EndDoc"}, 1},
                      CancelCase{"MiddleYes", 2, true, {"EndDoc", "Abort"}, 1},
                      CancelCase{"MiddleNo", 2, false, {"EndDoc", "Abort", "EndDoc"}, 1},
                      CancelCase{"LastYes", 3, true, {"EndDoc", "EndDoc", "Abort"}, 0},
                      CancelCase{"LastNo", 3, false, {"EndDoc", "EndDoc", "Abort"}, 0}),
    [](const ::testing::TestParamInfo<CancelCase>& i) { return std::string(i.param.name); });

TEST_F(PrintRun, CancelInTheLastPumpBeforeTheJobEndsStillDeletesIt) {
  // Pumps of one small file: before the read, after the chunks, before the question.
  Add(u"a.ps", 10);
  Add(u"b.ps", 10);
  sys.cancelAtPump = {3};
  Run({u"a.ps", u"b.ps"});
  EXPECT_THAT(Ends(), ElementsAre("Abort", "EndDoc"));
  EXPECT_THAT(Log(sys.log.begin() + 5, sys.log.begin() + 10),
              ElementsAre("Write 10", "Ask Abort all File Prints?", "EndPage", "Abort",
                          "CloseFile"));
}

TEST_F(PrintRun, CancelOnTheLastFileAfterItsChunksDeletesItWithoutAsking) {
  Add(u"a.ps", 10);
  sys.cancelAtPump = {3};
  Run({u"a.ps"});
  EXPECT_THAT(sys.log, ElementsAre("OpenPrinter P", "Create", "OpenFile a.ps",
                                   "StartDoc a.ps L1", "StartPage", "Write 10", "EndPage",
                                   "Abort", "CloseFile", "Destroy", "ClosePrinter"));
}

// --- Failure rows: the first of two files fails, the second is printed ----------

struct FailureCase {
  const char* name;
  void (*script)(FakePrintSystem&);
  std::vector<std::string> firstFile;  // log of the first file, OpenFile up to the next
  std::vector<std::string> ends;
  uint64_t posAfterRun;  // of 2 x 40000 bytes
};

class FailureTable : public PrintRun, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTable, ShowsOneBoxEndsTheFileAndGoesOn) {
  const FailureCase& c = GetParam();
  Add(u"a.ps", 40000);
  Add(u"b.ps", 40000);
  c.script(sys);
  Run({u"a.ps", u"b.ps"});
  auto second = std::find(sys.log.begin(), sys.log.end(), "OpenFile b.ps");
  ASSERT_NE(sys.log.end(), second);
  EXPECT_EQ(c.firstFile, Log(sys.log.begin() + 2, second));
  EXPECT_THAT(Log(second, sys.log.end()),
              ElementsAre("OpenFile b.ps", "StartDoc b.ps L1", "StartPage", "Write 32768",
                          "Write 7232", "EndPage", "EndDoc", "CloseFile", "Destroy",
                          "ClosePrinter"));
  EXPECT_EQ(c.ends, Ends());
  EXPECT_EQ(c.posAfterRun, sys.pos);
  EXPECT_EQ(80000u, sys.range);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FailureTable,
    ::testing::Values(
        FailureCase{"OpenFile",
                    [](FakePrintSystem& s) { s.files[u"a.ps"].openError = 32; },
                    {"OpenFile a.ps", "Error 32 Error while opening file"},
                    {"EndDoc"},
                    80000},
        FailureCase{"StartDoc", [](FakePrintSystem& s) { s.startDocFails[1] = 1804; },
                    {"OpenFile a.ps", "StartDoc a.ps L1",
                     "Error 1804 Error while informing spooler about a new job", "CloseFile"},
                    {"EndDoc"},
                    40000},
        FailureCase{"StartPage", [](FakePrintSystem& s) { s.startPageFails[1] = 6; },
                    {"OpenFile a.ps", "StartDoc a.ps L1", "StartPage",
                     "Error 6 Error while starting a new page in the job", "EndDoc",
                     "CloseFile"},
                    {"EndDoc", "EndDoc"},
                    40000},
        // A failed write is not continued and its job is deleted, not submitted cut short.
        FailureCase{"Write", [](FakePrintSystem& s) { s.writeFails[1] = 1804; },
                    {"OpenFile a.ps", "StartDoc a.ps L1", "StartPage", "Write 32768",
                     "Error 1804 Error while writing to printer", "EndPage", "Abort",
                     "CloseFile"},
                    {"Abort", "EndDoc"},
                    72768},
        FailureCase{"WriteWithoutCode", [](FakePrintSystem& s) { s.writeFails[2] = 0; },
                    {"OpenFile a.ps", "StartDoc a.ps L1", "StartPage", "Write 32768",
                     "Write 7232", "Error 29 Error while writing to printer", "EndPage",
                     "Abort", "CloseFile"},
                    {"Abort", "EndDoc"},
                    80000},
        FailureCase{"WriteSucceedsWritingNothing",
                    [](FakePrintSystem& s) { s.writeNothing = {1}; },
                    {"OpenFile a.ps", "StartDoc a.ps L1", "StartPage", "Write 32768",
                     "Error 29 Error while writing to printer", "EndPage", "Abort",
                     "CloseFile"},
                    {"Abort", "EndDoc"},
                    72768},
        // A read error ends the job (no endless loop of empty writes, nothing cut short).
        FailureCase{"Read",
                    [](FakePrintSystem& s) {
                      s.files[u"a.ps"].readFailAt = 2;
                      s.files[u"a.ps"].readError = 33;
                    },
                    {"OpenFile a.ps", "StartDoc a.ps L1", "StartPage", "Write 32768",
                     "Error 33 Error while opening file", "EndPage", "Abort", "CloseFile"},
                    {"Abort", "EndDoc"},
                    72768},
        FailureCase{"ReadWithoutCode",
                    [](FakePrintSystem& s) { s.files[u"a.ps"].readFailAt = 1; },
                    {"OpenFile a.ps", "StartDoc a.ps L1", "StartPage",
                     "Error 30 Error while opening file", "EndPage", "Abort", "CloseFile"},
                    {"Abort", "EndDoc"},
                    40000}),
    [](const ::testing::TestParamInfo<FailureCase>& i) { return std::string(i.param.name); });

TEST_F(PrintRun, WriteFailureWhileCancelledAsksAndDeletes) {
  Add(u"a.ps", 40000);
  Add(u"b.ps", 10);
  sys.writeFails[1] = 6;
  sys.cancelAtFirstWriteOfJob = 1;
  sys.answerYes = true;
  Run({u"a.ps", u"b.ps"});
  EXPECT_THAT(Log(sys.log.begin() + 5, sys.log.end()),
              ElementsAre("Write 32768", "Error 6 Error while writing to printer",
                          "Ask Abort all File Prints?", "EndPage", "Abort", "CloseFile",
                          "Destroy", "ClosePrinter"));
}

}  // namespace
