// The driver installation, ports and printers against Wine's own SetupAPI, spooler
// and colour management, in a prefix of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DriverInstallWin.h"
#include "SpoolerProbe.h"
#include "PrintersWin.h"
#include "SpoolerLists.h"

namespace {

// A 32-bit test process on 64-bit Wine would install drivers for the x64
// environment, which its own 32-bit spooler client does not list. The installer
// never does this (its 32-bit build hands over to the 64-bit one), so the 32-bit
// test hides WOW64 from the version checks before their first use.
const bool kHideWow64 = [] {
  if (sizeof(void*) == 4) SetEnvironmentVariableW(L"PROCESSOR_ARCHITEW6432", nullptr);
  return true;
}();

std::wstring Widen(const char* s) { return std::wstring(s, s + strlen(s)); }

// A Unix path of the build machine as Wine's Z: drive sees it.
std::wstring FromUnix(const char* path) {
  std::wstring w = L"Z:" + Widen(path);
  std::replace(w.begin(), w.end(), L'/', L'\\');
  return w;
}

std::wstring TempDir(const wchar_t* name) {
  wchar_t buffer[MAX_PATH];
  GetTempPathW(MAX_PATH, buffer);
  std::wstring dir = std::wstring(buffer) + L"qvsetup-" + name;
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::wstring WindowsInfDir() {
  wchar_t buffer[MAX_PATH];
  GetWindowsDirectoryW(buffer, MAX_PATH);
  return std::wstring(buffer) + L"\\inf";
}

void CopyFolder(const std::wstring& from, const std::wstring& to) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, find) << "no fixture folder";
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    ASSERT_TRUE(CopyFileW((from + L"\\" + found.cFileName).c_str(), (to + L"\\" + found.cFileName).c_str(), FALSE));
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

bool Exists(const CString& dir, const wchar_t* name) {
  return GetFileAttributesW((dir + L"\\" + name).GetString()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring BaseName(const wchar_t* path) {
  std::wstring p = path ? path : L"";
  size_t slash = p.rfind(L'\\');
  return slash == std::wstring::npos ? p : p.substr(slash + 1);
}

struct InstalledDriver {
  bool found = false;
  DWORD version = 0;
  std::wstring environment, driver, data, config, help;
  std::vector<std::wstring> dependents;  // base names
};

InstalledDriver FindDriver(const wchar_t* model) {
  InstalledDriver d;
  DWORD needed = 0, count = 0;
  EnumPrinterDriversW(nullptr, nullptr, 3, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumPrinterDriversW(nullptr, nullptr, 3, buffer.data(), needed, &needed, &count)) return d;
  const auto* info = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (lstrcmpW(info[i].pName, model) != 0) continue;
    d.found = true;
    d.version = info[i].cVersion;
    d.environment = info[i].pEnvironment ? info[i].pEnvironment : L"";
    d.driver = BaseName(info[i].pDriverPath);
    d.data = BaseName(info[i].pDataFile);
    d.config = BaseName(info[i].pConfigFile);
    d.help = BaseName(info[i].pHelpFile);
    for (const wchar_t* p = info[i].pDependentFiles; p && *p; p += lstrlenW(p) + 1) d.dependents.push_back(BaseName(p));
  }
  return d;
}

bool Contains(const CStringList& list, const wchar_t* name) { return list.Find(name) != nullptr; }

using spoolertest::ProfileAssociated;
using spoolertest::ReadPrinter;
using PrinterState = spoolertest::PrinterInfo;

const wchar_t* ModelsSection() { return CurrentWindowsKind().x64 ? L"TAVIK.NTamd64" : L"TAVIK"; }

// The test package, copied with its colour profile into a folder of the prefix.
std::wstring PreparePackage(const wchar_t* name, bool withProcessor = true) {
  std::wstring dir = TempDir(name);
  CopyFolder(FromUnix(QV_SETUP_FIXTURES "/qvtest"), dir);
  CopyFileW(FromUnix(QV_TEST_ICC).c_str(), (dir + L"\\Gray.icc").c_str(), FALSE);
  if (!withProcessor) DeleteFileW((dir + L"\\qvtproc.dll").c_str());
  return dir;
}

DWORD Install(const std::wstring& inf, const wchar_t* model, CStringList& profiles) {
  DriverSource source;
  source.modelsSection = ModelsSection();
  source.modelName = model;
  source.infPath = inf.c_str();
  return InstallPrinterDriver(source, nullptr, profiles);
}

CStringList gProfiles;  // what the test package's installation collected

class WineSetup : public testing::Test {
protected:
  static void SetUpTestSuite() {
    const std::wstring dir = PreparePackage(L"pkg");
    installResult = Install(dir + L"\\qvtest.inf", L"Tavik Test PS", gProfiles);
  }
  static DWORD installResult;
};
DWORD WineSetup::installResult = 1;

}  // namespace

TEST_F(WineSetup, DirectoriesOfTheSpooler) {
  const CString driver = GetDriverDirectory();
  const CString processor = GetPrintProcessorDirectory();
  const CString colour = GetColorProfileDirectory();
  EXPECT_FALSE(driver.IsEmpty());
  EXPECT_NE(-1, processor.Find(L"\\prtprocs\\"));
  EXPECT_EQ(colour.GetLength() - 14, colour.Find(L"\\drivers\\color")) << colour.GetString();
  EXPECT_TRUE(GetDirectoryForDirId(66000) == driver);
  EXPECT_TRUE(GetDirectoryForDirId(66001) == processor);
  EXPECT_TRUE(GetDirectoryForDirId(66003) == colour);
  EXPECT_TRUE(GetDirectoryForDirId(66100) == driver);
}

TEST_F(WineSetup, PackageInstallsIntoTheSpoolersDirectories) {
  ASSERT_EQ(0u, installResult);
  ASSERT_EQ(1, gProfiles.GetCount());
  EXPECT_TRUE(gProfiles.GetHead() == L"qvgray.icc");

  const CString driverDir = GetDriverDirectory();
  for (const wchar_t* f : {L"qvtest.ppd", L"qvtdrv.dll", L"qvtcfg.dll", L"qvtest.hlp", L"qvreadme.txt"})
    EXPECT_TRUE(Exists(driverDir, f)) << f;
  EXPECT_TRUE(Exists(GetPrintProcessorDirectory(), L"qvtproc.dll"));
  EXPECT_TRUE(Exists(GetColorProfileDirectory(), L"qvgray.icc"));

  const InstalledDriver d = FindDriver(L"Tavik Test PS");
  ASSERT_TRUE(d.found);
  EXPECT_EQ(3u, d.version);
  EXPECT_EQ(std::wstring(CurrentWindowsKind().x64 ? L"Windows x64" : L"Windows NT x86"), d.environment);
  EXPECT_EQ(L"qvtdrv.dll", d.driver);
  EXPECT_EQ(L"qvtest.ppd", d.data);
  EXPECT_EQ(L"qvtcfg.dll", d.config);
  EXPECT_EQ(L"qvtest.hlp", d.help);
  EXPECT_EQ((std::vector<std::wstring>{L"qvtest.ppd", L"qvtdrv.dll", L"qvtcfg.dll", L"qvtest.hlp"}), d.dependents);

  CStringList drivers;
  EXPECT_TRUE(EnumDriverNames(drivers));
  EXPECT_TRUE(Contains(drivers, L"Tavik Test PS"));

  wchar_t text[64] = {};
  DWORD size = sizeof text, level = 0, levelSize = sizeof level;
  EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Tavik\\SetupTest", L"Package", RRF_RT_REG_SZ,
                                        nullptr, text, &size));
  EXPECT_STREQ(L"qvtest", text);
  EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Tavik\\SetupTest", L"Level", RRF_RT_REG_DWORD,
                                        nullptr, &level, &levelSize));
  EXPECT_EQ(3u, level);
}

TEST_F(WineSetup, IncludedPackagesLendFilesAndTheLastOneDecides) {
  const std::wstring inf = WindowsInfDir();
  CopyFolder(FromUnix(QV_SETUP_FIXTURES "/inf"), inf);
  const std::wstring dir = TempDir(L"borrow");
  CopyFolder(FromUnix(QV_SETUP_FIXTURES "/qvborrow"), dir);
  CStringList profiles;
  ASSERT_EQ(0u, Install(dir + L"\\qvborrow.inf", L"Tavik Borrowed PS", profiles));
  EXPECT_TRUE(profiles.IsEmpty());

  const CString driverDir = GetDriverDirectory();
  for (const wchar_t* f : {L"qvcore1.dll", L"qvcore2.dll", L"qvdrv2.dll", L"qvcfg2.dll", L"qvborrow.ppd"})
    EXPECT_TRUE(Exists(driverDir, f)) << f;
  const InstalledDriver d = FindDriver(L"Tavik Borrowed PS");
  ASSERT_TRUE(d.found);
  EXPECT_EQ(L"qvdrv2.dll", d.driver);
  EXPECT_EQ(L"qvcfg2.dll", d.config);
  EXPECT_EQ(L"", d.help);
  EXPECT_EQ(L"qvborrow.ppd", d.data);
  EXPECT_EQ((std::vector<std::wstring>{L"qvcore1.dll", L"qvcore2.dll", L"qvdrv2.dll", L"qvcfg2.dll", L"qvborrow.ppd"}),
            d.dependents);
}

// SetupAPI reads "Include =" as one empty field, which names no INF: only the
// package's own files are installed and the driver has no driver or
// configuration file.
TEST_F(WineSetup, EmptyIncludeInstallsOnlyThePackagesOwnFiles) {
  const std::wstring dir = TempDir(L"emptyinclude");
  ASSERT_TRUE(CopyFileW(FromUnix(QV_SETUP_FIXTURES "/qvborrow/qvborrow.ppd").c_str(),
                        (dir + L"\\qvempty.ppd").c_str(), FALSE));
  const char inf[] =
      "[Version]\r\nSignature = \"$Windows NT$\"\r\nClass = Printer\r\n"
      "[TAVIK]\r\n\"Tavik Empty Include\" = EMPTY_INSTALL\r\n"
      "[TAVIK.NTamd64]\r\n\"Tavik Empty Include\" = EMPTY_INSTALL\r\n"
      "[EMPTY_INSTALL]\r\nInclude =\r\nNeeds = QVCORE.OEM\r\nCopyFiles = EMPTY_FILES\r\n"
      "DataSection = EMPTY_DATA\r\nDataFile = qvempty.ppd\r\n"
      "[EMPTY_DATA]\r\nDriverFile = qvown.dll\r\n"
      "[EMPTY_FILES]\r\nqvempty.ppd\r\n"
      "[DestinationDirs]\r\nDefaultDestDir = 66000\r\n"
      "[SourceDisksNames]\r\n1 = \"disk\",,,\r\n"
      "[SourceDisksFiles]\r\nqvempty.ppd = 1\r\n";
  HANDLE file = CreateFileW((dir + L"\\qvempty.inf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  const BOOL ok = WriteFile(file, inf, DWORD(sizeof inf - 1), &written, nullptr);
  CloseHandle(file);
  ASSERT_TRUE(ok);

  CStringList profiles;
  ASSERT_EQ(0u, Install(dir + L"\\qvempty.inf", L"Tavik Empty Include", profiles));
  EXPECT_TRUE(Exists(GetDriverDirectory(), L"qvempty.ppd"));
  const InstalledDriver d = FindDriver(L"Tavik Empty Include");
  ASSERT_TRUE(d.found);
  EXPECT_EQ(L"", d.driver);
  EXPECT_EQ(L"", d.config);
  EXPECT_EQ(L"qvempty.ppd", d.data);
}

TEST_F(WineSetup, MissingPackageOrModelIsAFailure) {
  CStringList profiles;
  EXPECT_NE(0u, Install(TempDir(L"none") + L"\\absent.inf", L"Tavik Test PS", profiles));
  const std::wstring dir = PreparePackage(L"model");
  EXPECT_EQ(DWORD(ERROR_INVALID_DATA), Install(dir + L"\\qvtest.inf", L"No Such Model", profiles));
  EXPECT_TRUE(profiles.IsEmpty());
}

// The platform's commit succeeds when the default callback skips a file whose
// source is missing; the installation still answers the failure, without a prompt.
TEST_F(WineSetup, MissingSourceFileNeverBlocksAndFails) {
  const std::wstring dir = PreparePackage(L"missing", false);
  CStringList profiles;
  const DWORD start = GetTickCount();
  const DWORD result = Install(dir + L"\\qvtest.inf", L"Tavik Test PS", profiles);
  EXPECT_LT(GetTickCount() - start, 30000u);
  EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), result);
}

// The Complete page tells the package's failures (its own message) from the
// spooler's refusal of the driver (the system's text).
TEST_F(WineSetup, FailuresBeforeRegistrationAreToldApart) {
  DriverSource source;
  source.modelsSection = ModelsSection();
  source.modelName = L"Tavik Test PS";
  CStringList profiles;
  const std::wstring missing = PreparePackage(L"missing2", false);
  const CString paths[] = {CString((missing + L"\\qvtest.inf").c_str()),
                           CString((TempDir(L"none") + L"\\absent.inf").c_str())};
  for (const CString& path : paths) {
    source.infPath = path;
    bool registrationFailed = true;
    EXPECT_NE(0u, InstallPrinterDriver(source, nullptr, profiles, registrationFailed)) << path.GetString();
    EXPECT_FALSE(registrationFailed) << path.GetString();
  }
}

TEST_F(WineSetup, PrintersOnLocalPortsPerQueue) {
  ASSERT_EQ(0u, installResult);
  InstallerState state;
  state.printerName = L"Office";
  state.driverName = L"Tavik Test PS";
  state.queueList.AddTail(L"Hold");
  state.queueList.AddTail(L"Normal");
  state.serverHostName = L"SRV";
  state.serverAddress = L"10.0.0.9";
  state.serverAnswered = true;
  ASSERT_FALSE(ProfileAssociated(L"qvgray.icc"));
  ASSERT_EQ(0u, AddPrinters(state.driverName, state, gProfiles));

  CStringList ports;
  ASSERT_TRUE(EnumPortNames(ports));
  EXPECT_TRUE(Contains(ports, L"\\\\srv\\hold"));
  EXPECT_TRUE(Contains(ports, L"\\\\srv\\normal"));
  const struct { const wchar_t* name; const wchar_t* port; } expected[] = {
      {L"Office-Hold", L"\\\\srv\\hold"}, {L"Office-Normal", L"\\\\srv\\normal"}};
  for (const auto& e : expected) {
    const PrinterState p = ReadPrinter(e.name);
    ASSERT_TRUE(p.found) << e.name;
    EXPECT_EQ(e.port, p.port);
    EXPECT_EQ(L"Tavik Test PS", p.driver);
    EXPECT_EQ(0x240u, p.attributes);
  }
  EXPECT_TRUE(ProfileAssociated(L"qvgray.icc"));

  InstalledPrinter info;
  ASSERT_TRUE(GetInstalledPrinterInfo(L"Office-Hold", info));
  EXPECT_TRUE(info.driverName == L"Tavik Test PS");
  EXPECT_TRUE(info.printerName == L"Office-Hold");
  EXPECT_TRUE(info.port == L"\\\\srv\\hold");

  CStringList printers;
  printers.AddTail(L"stale");
  ASSERT_TRUE(EnumPrinterNames(printers));
  EXPECT_FALSE(Contains(printers, L"stale"));
  EXPECT_TRUE(Contains(printers, L"Office-Hold"));
  EXPECT_TRUE(Contains(printers, L"Office-Normal"));
  // The spooler's own names, as the unique-name rule sees them.
  EXPECT_TRUE(MakeUniquePrinterName(L"office-hold", L"", true) == L"office-hold(1)");
}

TEST_F(WineSetup, InternetPrintersKeepTheirCaseAndCreateNoPort) {
  ASSERT_EQ(0u, installResult);
  InstallerState state;
  state.printerName = L"Web";
  state.queueList.AddTail(L"Hold");
  state.queueList.AddTail(L"Normal");
  state.serverHostName = L"SRV";
  state.serverAnswered = true;
  state.internetPrinter = true;
  CStringList before;
  ASSERT_TRUE(EnumPortNames(before));
  ASSERT_EQ(0u, AddPrinters(L"Tavik Test PS", state, gProfiles));
  CStringList after;
  ASSERT_TRUE(EnumPortNames(after));
  EXPECT_EQ(before.GetCount(), after.GetCount());
  const PrinterState hold = ReadPrinter(L"Web-Hold");
  ASSERT_TRUE(hold.found);
  EXPECT_EQ(L"http://SRV:631/printers/Hold", hold.port);
  EXPECT_EQ(0x210u, hold.attributes);
  const PrinterState normal = ReadPrinter(L"Web-Normal");
  ASSERT_TRUE(normal.found);
  EXPECT_EQ(L"http://SRV:631/printers/Normal", normal.port);
}

namespace {

// The local spooler, but the second printer fails as a name clash would.
class SecondPrinterFails : public WindowsSpooler {
public:
  int calls = 0;
  void* CreatePrinter(const twk::setup::PrinterRecord& record, uint32_t& error) override {
    if (++calls == 2) {
      error = ERROR_PRINTER_ALREADY_EXISTS;
      return nullptr;
    }
    return WindowsSpooler::CreatePrinter(record, error);
  }
};

}  // namespace

TEST_F(WineSetup, FailureOnSecondOfThreeQueuesKeepsTheFirst) {
  ASSERT_EQ(0u, installResult);
  InstallerState state;
  state.printerName = L"Trio";
  for (const wchar_t* q : {L"Hold", L"Normal", L"Proof"}) state.queueList.AddTail(q);
  state.serverAddress = L"10.0.0.9";  // the server did not answer: its address names it
  SecondPrinterFails spooler;
  EXPECT_EQ(uint32_t(ERROR_PRINTER_ALREADY_EXISTS),
            twk::setup::AddPrintersTo(spooler, PrintersRequestFrom(L"Tavik Test PS", state), {u"qvgray.icc"},
                                      CurrentWindowsKind()));
  EXPECT_EQ(2, spooler.calls);
  EXPECT_TRUE(ReadPrinter(L"Trio-Hold").found);
  EXPECT_EQ(L"\\\\10.0.0.9\\hold", ReadPrinter(L"Trio-Hold").port);
  EXPECT_FALSE(ReadPrinter(L"Trio-Normal").found);
  EXPECT_FALSE(ReadPrinter(L"Trio-Proof").found);
  CStringList ports;
  ASSERT_TRUE(EnumPortNames(ports));
  EXPECT_FALSE(Contains(ports, L"\\\\10.0.0.9\\proof"));
}

TEST_F(WineSetup, SpoolerListsAndUnknownPrinter) {
  CStringList monitors;
  ASSERT_TRUE(EnumMonitorNames(monitors));
  EXPECT_TRUE(Contains(monitors, L"Local Port"));
  InstalledPrinter info;
  info.driverName = L"x";
  info.printerName = L"y";
  info.port = L"z";
  EXPECT_FALSE(GetInstalledPrinterInfo(L"No Such Printer", info));
  EXPECT_TRUE(info.driverName.IsEmpty() && info.printerName.IsEmpty() && info.port.IsEmpty());
}
