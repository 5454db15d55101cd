// The job-option stream runs in a real PostScript interpreter: with no TVOptions
// procedure set every call's error is caught and the operand stack is left as it was;
// with a recording stub procedure set each call delivers its (value, name) pair.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "PsOutput.h"

namespace qv {
namespace render {
namespace {

const char kGs[] = "/usr/bin/gs";

// The page-size entry the closing setpagedevice line reads; the printer's own
// dictionary has more, but this is all the line needs.
const char kFeatures[] =
    "/TVOptionFeatures << /PageSize << /ValAsArray [595 842] >> >> def\n";

// Records "PAIR <name>=<value>" per call; leaves the mark for the line's cleartomark.
const char kStubProcSet[] =
    "/TVOptions << /setTVOptions { (PAIR ) print =only (=) print =only (\\n) print } >>"
    " /ProcSet defineresource pop\n";

// A marker below the stream's lines: afterwards it must be the only thing on the stack.
const char kCheckStack[] =
    "count 1 eq { /qvSentinel eq { (STACK-OK\\n) print } if } if\n";

struct GsRun {
  int status = -1;
  std::string output;
};

GsRun RunGhostscript(const std::string& job) {
  char path[] = "/tmp/qvrender-gs-XXXXXX";
  const int fd = mkstemp(path);
  GsRun run;
  if (fd < 0) return run;
  close(fd);
  {
    std::ofstream out(path, std::ios::binary);
    out << job;
  }
  const std::string cmd = std::string(kGs) + " -q -dNODISPLAY -dBATCH -dNOPAUSE -dSAFER " +
                          path + " 2>&1";
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) run.output.append(buf, n);
    run.status = pclose(p);
  }
  std::remove(path);
  return run;
}

std::string Job(const PrivateDevmodeBody& body, bool withProcSet) {
  std::string job = "%!PS-Adobe-3.0\n";
  job += BuildDscComments(body);
  job += FormatDscComment("TitleEx", "Report.pdf");
  job += FormatDscComment("ForEx", "m\xC3\xBCller");
  job += "%%EndComments\n";
  job += kFeatures;
  if (withProcSet) job += kStubProcSet;
  job += "/qvSentinel\n";
  job += BuildSetupOptions(body);
  job += kCheckStack;
  return job;
}

std::vector<std::pair<std::string, std::string>> RecordedPairs(const std::string& output) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::istringstream in(output);
  std::string line;
  while (std::getline(in, line)) {
    if (line.compare(0, 5, "PAIR ") != 0) continue;
    const std::size_t eq = line.find('=');
    pairs.emplace_back(line.substr(5, eq - 5), line.substr(eq + 1));
  }
  return pairs;
}

class Ghostscript : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(kGs, X_OK) != 0) GTEST_SKIP() << "ghostscript (" << kGs << ") is not installed";
  }
};

using Pairs = std::vector<std::pair<std::string, std::string>>;

// A record and the (name, value) pairs the procedure set must receive from it.
struct Sample {
  PrivateDevmodeBody body;
  Pairs pairs;
};

std::vector<Sample> Samples() {
  const Pairs defaults = {
      {"Orientation", "Port"}, {"GutterDistance", "0"}, {"TargetPaperSizeWidth", "0"},
      {"TargetPaperSizeHeight", "0"}, {"Zoom", "100"}, {"CyanGamma", "100"},
      {"MagentaGamma", "100"}, {"YellowGamma", "100"}, {"BlackGamma", "100"},
      {"UseSimulationProfile", "False"}, {"SimulationProfile", std::string(32, '0')},
      {"HorizontalShift", "0"}, {"VerticalShift", "0"}, {"HoriShiftBack", "0"},
      {"VertiShiftBack", "0"}, {"PrivatePrinting", "False"}, {"PrivatePrintingBoxNumber", ""},
      {"SendWindowsMessage", "Off"}, {"SendWindowsMessageTarget", ""},
      {"EmailNotification", "Off"}, {"EmailNotificationAddress", ""}, {"JobSplitting", "Off"},
      {"JobSplittingLimit", "3"}};
  std::vector<Sample> samples(2);
  DefaultPrivateDevmode(&samples[0].body);
  samples[0].pairs = defaults;

  PrivateDevmodeBody& b = samples[1].body;
  DefaultPrivateDevmode(&b);
  b.Orientation = 1;
  b.TargetPaperSize = 20;
  b.TargetPaperSizeWidth = 297000;
  b.TargetPaperSizeHeight = 420000;
  b.GutterDistance = 129032;
  b.HorizontalShift = -2540;
  b.Form1 = 13;
  std::memcpy(b.RGBInputProfile, "0123456789ABCDEF0123456789ABCDEF", 33);
  std::memcpy(b.PrivatePrintingBoxNumber, "12 34", 6);
  std::memcpy(b.SendWindowsMessageTarget, "PC_01", 6);
  std::memcpy(b.EmailNotificationAddress, "a(b)\\c \xE4", 9);
  std::memcpy(b.RedirectToQueue, "Normal", 7);
  std::memcpy(b.JobComment, "rush job", 9);
  b.PrintAndHold = 1;
  samples[1].pairs = {
      {"Orientation", "Land"}, {"GutterDistance", "50800"}, {"TargetPaperSize", "Custom"},
      {"TargetPaperSizeWidth", "297000"}, {"TargetPaperSizeHeight", "420000"},
      {"Zoom", "100"}, {"CyanGamma", "100"}, {"MagentaGamma", "100"}, {"YellowGamma", "100"},
      {"BlackGamma", "100"}, {"RGBInputProfile", "0123456789ABCDEF0123456789ABCDEF"},
      {"UseSimulationProfile", "False"}, {"SimulationProfile", std::string(32, '0')},
      {"Form1", "2"}, {"HorizontalShift", "-999"}, {"VerticalShift", "0"},
      {"HoriShiftBack", "0"}, {"VertiShiftBack", "0"}, {"PrivatePrinting", "False"},
      {"PrivatePrintingBoxNumber", "12 34"}, {"SendWindowsMessage", "Off"},
      {"SendWindowsMessageTarget", "PC_01"}, {"EmailNotification", "Off"},
      {"EmailNotificationAddress", "a(b)\\c \xE4"}, {"JobSplitting", "Off"},
      {"JobSplittingLimit", "3"}};
  return samples;
}

TEST_F(Ghostscript, WithoutProcSetEveryCallIsCaughtAndTheStackKept) {
  for (const Sample& sample : Samples()) {
    const GsRun run = RunGhostscript(Job(sample.body, false));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("STACK-OK"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Error"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("PAIR"), std::string::npos) << run.output;
  }
}

TEST_F(Ghostscript, StubProcSetReceivesEveryPairOfTheRecord) {
  for (const Sample& sample : Samples()) {
    const GsRun run = RunGhostscript(Job(sample.body, true));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("STACK-OK"), std::string::npos) << run.output;
    EXPECT_EQ(RecordedPairs(run.output), sample.pairs) << run.output;
  }
}

}  // namespace
}  // namespace render
}  // namespace qv
