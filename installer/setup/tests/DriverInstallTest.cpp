#include "DriverInstall.h"
#include "FakeInf.h"

#include <gtest/gtest.h>

using namespace twk::setup;

namespace {

const WindowsKind kWin9x{true, false, false};
const WindowsKind kNT4{false, true, false};
const WindowsKind kNT5{false, false, false};
const WindowsKind kX64{false, false, true};

const char* const kPackage = R"(
[Manufacturer]
Tavik = Tavik, NTamd64
[Tavik]
Test PS = TEST_INSTALL
[Tavik.NTamd64]
Test PS = TEST_INSTALL
[TEST_INSTALL]
CopyFiles = @qvtest.ppd, DRIVER_FILES, PROC_FILES, COLOR_FILES, OTHER_FILES
DataSection = TEST_DATA
DataFile = qvtest.ppd
AddReg = TEST_REG
[TEST_DATA]
DriverFile = qvtdrv.dll
ConfigFile = qvtcfg.dll
HelpFile = qvtest.hlp
[DRIVER_FILES]
qvtdrv.dll
qvtcfg.dll,qvtcfg.src
qvtest.hlp
[PROC_FILES]
qvtproc.dll
[COLOR_FILES]
qvgray.icc,Gray.icc
[OTHER_FILES]
qvreadme.txt
[DestinationDirs]
DefaultDestDir = 66000
PROC_FILES = 66001
COLOR_FILES = 66003
OTHER_FILES = 66002
)";

const char* const kBorrowing = R"(
[Tavik]
Borrowed PS = B_INSTALL
[B_INSTALL]
Include = incl1.inf, incl2.inf
Needs = CORE.OEM, EXTRA.OEM, MISSING.OEM
CopyFiles = B_FILES
DataSection = B_DATA
DataFile = b.ppd
[B_FILES]
b.ppd
[B_DATA]
DriverFile = own.dll
[CORE_FILES]
wrong.dll
[DestinationDirs]
DefaultDestDir = 66000
)";

const char* const kIncluded1 = R"(
[CORE.OEM]
CopyFiles = @core1.dll, CORE_FILES
[CORE_FILES]
core2.dll,core2.src
[B_DATA]
DriverFile = core1.dll
ConfigFile = cfg1.bin
HelpFile = help1.hlp
[DestinationDirs]
DefaultDestDir = 66000
)";

const char* const kIncluded2 = R"(
[EXTRA.OEM]
CopyFiles = extra@1.dll, EXTRA_FILES
[EXTRA_FILES]
extra2.dll
[B_DATA]
DriverFile = drv2.dll
ConfigFile = cfg2.bin
[DestinationDirs]
EXTRA.OEM = 66000
)";

const Text D = u"C:\\spool\\drivers\\x64";

Text Multi(std::initializer_list<Text> names) {
  Text out;
  for (const Text& n : names) out += n + Text(1, u'\0');
  return out + Text(2, u'\0');
}

struct Install {
  fake::Host host;
  std::vector<Text> colours;
  uint32_t result = 0;
  Install() {
    host.files[u"C:\\pkg\\test.inf"] = kPackage;
    host.files[u"C:\\pkg\\borrow.inf"] = kBorrowing;
    host.files[u"incl1.inf"] = kIncluded1;
    host.files[u"incl2.inf"] = kIncluded2;
  }
  uint32_t Run(const WindowsKind& kind, const Text& models = u"Tavik.NTamd64", const Text& model = u"Test PS",
               const Text& inf = u"C:\\pkg\\test.inf") {
    result = InstallDriverFromInf({models, model, inf}, kind, host, colours);
    return result;
  }
  uint32_t RunBorrowing(const WindowsKind& kind = kX64) {
    return Run(kind, u"Tavik", u"Borrowed PS", u"C:\\pkg\\borrow.inf");
  }
  const DriverRecord& Record() const { return host.registered.at(0); }
};

}  // namespace

TEST(CopyFilesEntry, ClassifiedByDirIdAndKindOfWindows) {
  using L = EntryListing;
  struct Case { Text entry; uint32_t dirId; WindowsKind kind; bool colourAllowed; L listing; } cases[] = {
      {u"@a.ppd", 66000, kX64, true, L::DependentName},
      {u"@a.ppd", 66001, kX64, true, L::None},
      {u"@a.ppd", 66001, kWin9x, true, L::DependentName},
      {u"a@b.ppd", 66000, kNT5, true, L::DependentLines},  // "@" counts only in front
      {u"", 66000, kNT5, true, L::DependentLines},
      {u"FILES", 66000, kNT4, true, L::DependentLines},
      {u"FILES", 66001, kNT5, true, L::None},
      {u"FILES", 66002, kX64, true, L::None},
      {u"FILES", 0, kNT5, true, L::None},
      {u"FILES", 0, kWin9x, true, L::DependentLines},
      {u"COLOR", 66003, kNT4, true, L::ColorProfiles},
      {u"COLOR", 66003, kX64, true, L::ColorProfiles},
      {u"COLOR", 66003, kX64, false, L::None},  // included packages give no colour profiles
      {u"COLOR", 66003, kWin9x, true, L::DependentLines},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.listing, ClassifyCopyFilesEntry(c.entry, c.dirId, c.kind, c.colourAllowed))
        << "dirid " << c.dirId << " 9x " << c.kind.win9x << " nt4 " << c.kind.nt4;
}

TEST(DependentFiles, CutAtCommaAndDoubleNulTerminated) {
  EXPECT_EQ(Text(2, u'\0'), BuildDependentFiles({}, false, D));
  EXPECT_EQ(Text(2, u'\0'), BuildDependentFiles({}, true, D));
  EXPECT_EQ(Multi({D + u"\\a.dll", D + u"\\b.ppd"}), BuildDependentFiles({u"a.dll,src.dll", u"b.ppd"}, false, D));
  EXPECT_EQ(Multi({u"a.dll", u"b.ppd"}), BuildDependentFiles({u"a.dll,src.dll", u"b.ppd"}, true, D));
  // An empty name would end the list early and lose the names after it.
  EXPECT_EQ(Multi({u"a.dll", u"c.dll"}), BuildDependentFiles({u"a.dll", u",src", u"", u"c.dll"}, true, D));
}

TEST(SourceRoot, UpToLastBackslash) {
  EXPECT_EQ(Text(u"C:\\pkg"), SourceRootOf(u"C:\\pkg\\test.inf"));
  EXPECT_EQ(Text(u"\\\\srv\\share\\d"), SourceRootOf(u"\\\\srv\\share\\d\\x.inf"));
  EXPECT_EQ(Text(), SourceRootOf(u"test.inf"));
}

TEST(InstallDriver, RecordPerKindOfWindows) {
  struct Case { WindowsKind kind; uint32_t version; Text environment; Text dependents; std::vector<Text> colours; } cases[] = {
      {kWin9x, 0, u"Windows 4.0",
       Multi({u"qvtest.ppd", u"qvtdrv.dll", u"qvtcfg.dll", u"qvtest.hlp", u"qvtproc.dll", u"qvgray.icc", u"qvreadme.txt"}), {}},
      {kNT4, 2, u"Windows NT x86",
       Multi({D + u"\\qvtest.ppd", D + u"\\qvtdrv.dll", D + u"\\qvtcfg.dll", D + u"\\qvtest.hlp"}), {u"qvgray.icc"}},
      {kNT5, 3, u"Windows NT x86",
       Multi({D + u"\\qvtest.ppd", D + u"\\qvtdrv.dll", D + u"\\qvtcfg.dll", D + u"\\qvtest.hlp"}), {u"qvgray.icc"}},
      {kX64, 3, u"Windows x64",
       Multi({D + u"\\qvtest.ppd", D + u"\\qvtdrv.dll", D + u"\\qvtcfg.dll", D + u"\\qvtest.hlp"}), {u"qvgray.icc"}},
  };
  for (const Case& c : cases) {
    Install run;
    run.colours.push_back(u"kept.icc");  // the caller's entries stay
    ASSERT_EQ(0u, run.Run(c.kind));
    const DriverRecord& r = run.Record();
    EXPECT_EQ(c.version, r.version);
    EXPECT_EQ(c.environment, r.environment);
    EXPECT_EQ(Text(u"Test PS"), r.name);
    EXPECT_EQ(D + u"\\qvtdrv.dll", r.driverPath);
    EXPECT_EQ(D + u"\\qvtest.ppd", r.dataFile);
    EXPECT_EQ(D + u"\\qvtcfg.dll", r.configFile);
    EXPECT_EQ(Text(u"qvtest.hlp"), r.helpFile);
    EXPECT_EQ(Text(u"RAW"), r.defaultDataType);
    EXPECT_EQ(c.dependents, r.dependentFiles);
    std::vector<Text> colours{u"kept.icc"};
    colours.insert(colours.end(), c.colours.begin(), c.colours.end());
    EXPECT_EQ(colours, run.colours);
  }
}

TEST(InstallDriver, BindsDirIdsQueuesFromInfDirectoryAndAppliesAddReg) {
  Install run;
  ASSERT_EQ(0u, run.Run(kX64));
  auto has = [&](const Text& line) { return std::find(run.host.log.begin(), run.host.log.end(), line) != run.host.log.end(); };
  EXPECT_TRUE(has(u"dirid C:\\pkg\\test.inf 66000 " + D));
  EXPECT_TRUE(has(u"dirid C:\\pkg\\test.inf 66001 C:\\spool\\prtprocs\\x64"));
  EXPECT_TRUE(has(u"dirid C:\\pkg\\test.inf 66003 C:\\spool\\drivers\\color"));
  EXPECT_TRUE(has(u"dirid C:\\pkg\\test.inf 66002 " + D));
  EXPECT_EQ(1u, run.host.Count(u"install "));
  EXPECT_TRUE(has(u"install C:\\pkg\\test.inf TEST_INSTALL root=C:\\pkg addreg"));
}

TEST(InstallDriver, IncludedPackagesLastOneWins) {
  Install run;
  ASSERT_EQ(0u, run.RunBorrowing());
  const DriverRecord& r = run.Record();
  // incl2.inf has no HelpFile line: its empty value replaces incl1.inf's.
  EXPECT_EQ(D + u"\\drv2.dll", r.driverPath);
  EXPECT_EQ(D + u"\\cfg2.bin", r.configFile);
  EXPECT_EQ(Text(), r.helpFile);
  EXPECT_EQ(D + u"\\b.ppd", r.dataFile);
  // CORE_FILES is read from incl1.inf, not from the package; "extra@1.dll" is no
  // "@" entry and names no section.
  EXPECT_EQ(Multi({D + u"\\core1.dll", D + u"\\core2.dll", D + u"\\extra2.dll", D + u"\\b.ppd"}), r.dependentFiles);
  EXPECT_TRUE(run.colours.empty());
  std::vector<Text> installs;
  for (const Text& l : run.host.log)
    if (l.rfind(u"install ", 0) == 0) installs.push_back(l);
  EXPECT_EQ((std::vector<Text>{u"install incl1.inf CORE.OEM root=(none)", u"install incl2.inf EXTRA.OEM root=(none)",
                               u"install C:\\pkg\\borrow.inf B_INSTALL root=C:\\pkg"}),
            installs);
}

TEST(InstallDriver, NeededSectionThatFailsIsLeftOut) {
  Install run;
  run.host.installErrors[u"CORE.OEM"] = 5;
  ASSERT_EQ(0u, run.RunBorrowing());
  EXPECT_EQ(Multi({D + u"\\extra2.dll", D + u"\\b.ppd"}), run.Record().dependentFiles);
}

TEST(InstallDriver, IncludeWithoutNamesLeavesDriverFilesEmpty) {
  Install run;
  run.host.files[u"C:\\pkg\\borrow.inf"] = R"(
[Tavik]
Borrowed PS = B_INSTALL
[B_INSTALL]
Include =
Needs = CORE.OEM
CopyFiles = B_FILES
DataSection = B_DATA
[B_FILES]
b.ppd
[B_DATA]
DriverFile = own.dll
)";
  ASSERT_EQ(0u, run.RunBorrowing());
  EXPECT_EQ(Text(), run.Record().driverPath);
  EXPECT_EQ(Text(), run.Record().configFile);
  EXPECT_EQ(D + u"\\", run.Record().dataFile);
  EXPECT_EQ(0u, run.host.Count(u"open incl"));
  // No DestinationDirs: the files are queued, bound to the driver directory, not listed.
  EXPECT_EQ(Text(2, u'\0'), run.Record().dependentFiles);
  EXPECT_EQ(1u, run.host.Count(u"dirid C:\\pkg\\borrow.inf 66000 " + D));
}

TEST(InstallDriver, EveryEarlyStopIsAFailure) {
  struct Case {
    const char* what;
    std::function<void(Install&)> arrange;
    bool borrowing;
    uint32_t code;
    size_t installs;
  } cases[] = {
      {"package INF cannot be opened", [](Install& i) { i.host.openErrors[u"C:\\pkg\\test.inf"] = 2; }, false, 2, 0},
      {"open fails without last error", [](Install& i) { i.host.openErrors[u"C:\\pkg\\test.inf"] = 0; }, false,
       kErrorGenFailure, 0},
      {"Include without Needs",
       [](Install& i) {
         i.host.files[u"C:\\pkg\\borrow.inf"] =
             "[Tavik]\nBorrowed PS = B\n[B]\nInclude = incl1.inf\nCopyFiles = F\n[F]\nb.ppd\n";
       },
       true, kErrorInvalidData, 0},
      {"included INF cannot be opened", [](Install& i) { i.host.openErrors[u"incl2.inf"] = 1812; }, true, 1812, 1},
      {"no CopyFiles line",
       [](Install& i) {
         i.host.files[u"C:\\pkg\\borrow.inf"] =
             "[Tavik]\nBorrowed PS = B\n[B]\nInclude = incl1.inf\nNeeds = CORE.OEM\nDataSection = B_DATA\n";
       },
       true, kErrorInvalidData, 0},
      {"model not in the models section", [](Install& i) { i.host.files[u"C:\\pkg\\test.inf"] = "[Tavik]\n"; }, false,
       kErrorInvalidData, 0},
      {"own files cannot be queued or committed", [](Install& i) { i.host.installErrors[u"TEST_INSTALL"] = 5; }, false,
       5, 1},
  };
  for (const Case& c : cases) {
    Install run;
    c.arrange(run);
    uint32_t code = c.borrowing ? run.RunBorrowing() : run.Run(kX64);
    EXPECT_EQ(c.code, code) << c.what;
    EXPECT_EQ(c.installs, run.host.Count(u"install ")) << c.what;
    EXPECT_TRUE(run.host.registered.empty()) << c.what;
  }
}

TEST(InstallDriver, AddPrinterDriverFailureIsTheResult) {
  Install run;
  run.host.addDriverError = 1797;
  EXPECT_EQ(1797u, run.Run(kNT5));
  EXPECT_EQ(std::vector<Text>{u"qvgray.icc"}, run.colours);  // collected before the failure
}
