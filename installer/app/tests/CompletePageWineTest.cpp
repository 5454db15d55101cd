// The existing-driver and Complete pages in the running wizard: the summary, Finish
// with the test driver package (driver, printers, ports, colour profile), keeping an
// installed driver, and the failures of the package and of the spooler.
#include "WizardFixture.h"

#include "CompletePage.h"
#include "PrintersWin.h"
#include "Printers.h"
#include "SetupTextWin.h"

#include "Utf16.h"

using namespace wizardtest;

namespace {

class CompletePage : public WizardTest {
protected:
  static void SetUpTestSuite() {
    // The package that the driver installations use, and the driver installed once.
    packageDir = PreparePackage(L"pkg");
    CStringList profiles;
    ASSERT_EQ(0u, InstallPrinterDriver(SourceIn(packageDir), nullptr, profiles));
  }
  void SetUp() override {
    WizardTest::SetUp();
    DeleteAllPrinters();
  }
  // A server that answered, three queues, a printer name and the package's driver.
  static void ServerRoad(std::vector<const wchar_t*> queues) {
    InstallerState& state = TheState();
    state.printServerName = L"Rip One";
    state.serverHostName = L"SRV";
    state.serverAddress = L"10.99.0.7";
    state.serverAnswered = true;
    state.printerName = L"Office";
    state.driverName = kModel;
    state.driverSource = SourceIn(packageDir);
    for (const wchar_t* q : queues) state.queueList.AddTail(q);
    state.pageHistory = {IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH, IDD_LISTQUEUES, IDD_LISTMODEL};
  }
  bool Closed() const { return Page() == nullptr; }

  static std::wstring packageDir;
};
std::wstring CompletePage::packageDir;

TEST_F(CompletePage, SummaryWithOnePortPerLine) {
  ServerRoad({L"Hold", L"Normal", L"Fast"});
  Show(IDD_COMPLETE);
  EXPECT_EQ(ItemText(IDC_COMPLETE_NAME), L"Office");
  EXPECT_EQ(ItemText(IDC_COMPLETE_DRIVER), kModel);
  EXPECT_EQ(ItemText(IDC_COMPLETE_PORT_LABEL), L"Ports:");
  EXPECT_EQ(ItemText(IDC_COMPLETE_PORTS), L"\\\\SRV\\Hold\n\\\\SRV\\Normal\n\\\\SRV\\Fast\n");
  EXPECT_TRUE(GetWindowLongPtrW(Item(IDC_COMPLETE_PORTS), GWL_STYLE) & SS_EDITCONTROL);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Sheet(), kFinishButton)));
  Shot("page14-summary");

  // The heading: bold, 16 units high, in the face of the sheet's font, every time.
  for (int visit = 0; visit < 2; ++visit) {
    LOGFONTW heading{}, sheetFont{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(IDC_COMPLETE_HEADING), WM_GETFONT, 0, 0)), sizeof heading,
                         &heading),
              0)
        << "the heading's font must still exist";
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Sheet(), WM_GETFONT, 0, 0)), sizeof sheetFont, &sheetFont);
    EXPECT_EQ(heading.lfHeight, -16);
    EXPECT_EQ(heading.lfWeight, FW_BOLD);
    EXPECT_STREQ(heading.lfFaceName, sheetFont.lfFaceName);
    Show(IDD_EXISTDRIVER);
    Show(IDD_COMPLETE);
  }

  // One queue: "Port:"; Internet printers; a single port shown as typed.
  TheState().queueList.RemoveAll();
  TheState().queueList.AddTail(L"Hold");
  TheState().internetPrinter = true;
  Show(IDD_EXISTDRIVER);
  Show(IDD_COMPLETE);
  EXPECT_EQ(ItemText(IDC_COMPLETE_PORT_LABEL), L"Port:");
  EXPECT_EQ(ItemText(IDC_COMPLETE_PORTS), L"http://SRV:631/printers/Hold\n");
  TheState().singlePortMode = true;
  TheState().singlePort = L"\\\\Srv\\Queue";
  Show(IDD_EXISTDRIVER);
  Show(IDD_COMPLETE);
  EXPECT_EQ(ItemText(IDC_COMPLETE_PORTS), L"\\\\Srv\\Queue");
}

TEST_F(CompletePage, BackReturnsToThePageThatLedHere) {
  ServerRoad({L"Hold"});
  Show(IDD_COMPLETE);
  Press(PSBTN_BACK);
  EXPECT_EQ(PageId(), UINT(IDD_LISTMODEL));
  EXPECT_EQ(TheState().pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH, IDD_LISTQUEUES}));
}

TEST_F(CompletePage, FinishInstallsTheDriverAndOnePrinterPerQueue) {
  const CString driverDir = GetDriverDirectory();
  DeleteFileW((driverDir + L"\\qvtdrv.dll").GetString());
  ServerRoad({L"Hold", L"Normal", L"Fast"});
  Show(IDD_COMPLETE);
  Press(PSBTN_FINISH);
  EXPECT_TRUE(Boxes().empty()) << (Boxes().empty() ? L"" : Boxes()[0].text);
  EXPECT_TRUE(Closed());
  EXPECT_NE(GetFileAttributesW((driverDir + L"\\qvtdrv.dll").GetString()), INVALID_FILE_ATTRIBUTES)
      << "the driver's files are copied again";
  const std::vector<std::wstring> ports = PortNames();
  for (const wchar_t* queue : {L"Hold", L"Normal", L"Fast"}) {
    std::wstring lower = queue;
    CharLowerW(&lower[0]);
    const PrinterInfo printer = ReadPrinter((std::wstring(L"Office-") + queue).c_str());
    ASSERT_TRUE(printer.found) << queue;
    EXPECT_EQ(printer.port, L"\\\\srv\\" + lower);
    EXPECT_EQ(printer.driver, kModel);
    EXPECT_EQ(printer.attributes & 0x250u, 0x240u);
    EXPECT_TRUE(Has(ports, L"\\\\srv\\" + lower)) << "made through \"Local Port\"";
  }
}

TEST_F(CompletePage, FinishWithInternetPrinters) {
  ServerRoad({L"Hold", L"Normal"});
  TheState().internetPrinter = true;
  Show(IDD_COMPLETE);
  Press(PSBTN_FINISH);
  EXPECT_TRUE(Closed());
  const std::vector<std::wstring> ports = PortNames();
  for (const wchar_t* queue : {L"Hold", L"Normal"}) {
    const PrinterInfo printer = ReadPrinter((std::wstring(L"Office-") + queue).c_str());
    ASSERT_TRUE(printer.found) << queue;
    EXPECT_EQ(printer.port, std::wstring(L"http://SRV:631/printers/") + queue);
    EXPECT_EQ(printer.attributes & 0x250u, 0x210u);
    EXPECT_FALSE(Has(ports, printer.port)) << "no local port for an Internet printer";
  }
}

TEST_F(CompletePage, NamesAreMadeUnique) {
  ServerRoad({L"Hold"});
  Show(IDD_COMPLETE);
  Press(PSBTN_FINISH);
  ASSERT_TRUE(Closed());
  DestroyWindow(Sheet());
  WizardTest::TearDown();
  WizardTest::SetUp();
  ServerRoad({L"Hold"});
  Show(IDD_COMPLETE);
  Press(PSBTN_FINISH);
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(ReadPrinter(L"Office-Hold").found);
  EXPECT_TRUE(ReadPrinter(L"Office-Hold(1)").found);
}

TEST_F(CompletePage, KeepOnTheExistingDriverPageInstallsNoFile) {
  const CString driverDir = GetDriverDirectory();
  ServerRoad({L"Hold"});
  TheState().driverInstalled = true;
  TheState().pageHistory.pop_back();  // led here by the model page
  TheState().pageHistory.push_back(IDD_LISTMODEL);
  Show(IDD_EXISTDRIVER);
  EXPECT_TRUE(Checked(IDC_EXISTDRIVER_KEEP)) << "a first visit preselects Keep";
  EXPECT_FALSE(Checked(IDC_EXISTDRIVER_REPLACE));
  EXPECT_EQ(ItemText(IDC_EXISTDRIVER_KEEP), L"Keep existing driver (recommended)");
  Shot("page13");
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_COMPLETE));
  EXPECT_TRUE(TheState().keepDriver);
  EXPECT_EQ(TheState().radioExistingDriver, IDC_EXISTDRIVER_KEEP);
  EXPECT_EQ(TheState().pageHistory.back(), IDD_EXISTDRIVER);

  DeleteFileW((driverDir + L"\\qvtdrv.dll").GetString());
  Press(PSBTN_FINISH);
  EXPECT_TRUE(Closed());
  EXPECT_EQ(GetFileAttributesW((driverDir + L"\\qvtdrv.dll").GetString()), INVALID_FILE_ATTRIBUTES)
      << "a kept driver copies no file";
  EXPECT_EQ(ReadPrinter(L"Office-Hold").driver, kModel);
}

TEST_F(CompletePage, ReplaceInstallsThePackagesDriverAndTheChoiceIsShownAgain) {
  const CString driverDir = GetDriverDirectory();
  ServerRoad({L"Hold"});
  TheState().driverInstalled = true;
  Show(IDD_EXISTDRIVER);
  Click(IDC_EXISTDRIVER_REPLACE);
  EXPECT_FALSE(Checked(IDC_EXISTDRIVER_KEEP));
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_COMPLETE));
  EXPECT_FALSE(TheState().keepDriver);
  // Back: the choice is kept; the keep-driver flag only changes on Next.
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_EXISTDRIVER));
  EXPECT_TRUE(Checked(IDC_EXISTDRIVER_REPLACE));
  Click(IDC_EXISTDRIVER_KEEP);
  Press(PSBTN_BACK);
  EXPECT_EQ(TheState().radioExistingDriver, IDC_EXISTDRIVER_KEEP);
  EXPECT_FALSE(TheState().keepDriver);
  Show(IDD_EXISTDRIVER);
  EXPECT_TRUE(Checked(IDC_EXISTDRIVER_KEEP));
  Click(IDC_EXISTDRIVER_REPLACE);
  Press(PSBTN_NEXT);

  DeleteFileW((driverDir + L"\\qvtdrv.dll").GetString());
  Press(PSBTN_FINISH);
  EXPECT_TRUE(Closed());
  EXPECT_NE(GetFileAttributesW((driverDir + L"\\qvtdrv.dll").GetString()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CompletePage, AKeepMadeForAnotherModelInstallsTheDriver) {
  const CString driverDir = GetDriverDirectory();
  ServerRoad({L"Hold"});
  TheState().keepDriver = true;        // from the existing-driver page of another model
  TheState().driverInstalled = false;  // the chosen model's driver is not installed
  Show(IDD_COMPLETE);
  DeleteFileW((driverDir + L"\\qvtdrv.dll").GetString());
  Press(PSBTN_FINISH);
  EXPECT_TRUE(Closed());
  EXPECT_NE(GetFileAttributesW((driverDir + L"\\qvtdrv.dll").GetString()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CompletePage, BasedModeInstallsNoDriver) {
  const CString driverDir = GetDriverDirectory();
  ServerRoad({L"Hold", L"Normal"});
  TheState().basedMode = true;
  TheState().serverAnswered = false;
  TheState().driverSource = DriverSource();  // nothing to install from
  Show(IDD_COMPLETE);
  // The summary names the server as the user knows it; the printers use its address.
  EXPECT_EQ(ItemText(IDC_COMPLETE_PORTS), L"\\\\Rip One\\Hold\n\\\\Rip One\\Normal\n");
  DeleteFileW((driverDir + L"\\qvtdrv.dll").GetString());
  Press(PSBTN_FINISH);
  EXPECT_TRUE(Closed());
  EXPECT_EQ(GetFileAttributesW((driverDir + L"\\qvtdrv.dll").GetString()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadPrinter(L"Office-Hold").port, L"\\\\10.99.0.7\\hold");
}

TEST_F(CompletePage, APackageWithAMissingFileInstallsNothing) {
  ServerRoad({L"Hold", L"Normal"});
  TheState().driverSource = SourceIn(PreparePackage(L"missing", L"qvtproc.dll"));
  Show(IDD_COMPLETE);
  Press(PSBTN_FINISH);
  ASSERT_FALSE(Closed());
  EXPECT_EQ(PageId(), UINT(IDD_COMPLETE));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, L"Could not install printer driver.");
  EXPECT_EQ(Boxes()[0].caption, L"Tarnwick");
  EXPECT_EQ(Boxes()[0].type, UINT(MB_ICONERROR));
  EXPECT_TRUE(LocalPrinterNames().empty());
}

TEST_F(CompletePage, AnEmptyTranslationShowsNoBox) {
  wchar_t path[MAX_PATH];
  lstrcpynW(path, GetTextFilePath().GetString(), MAX_PATH);
  WritePrivateProfileStringW(L"Tarnwick2", L"IDS_ERROR10", L"", path);
  ServerRoad({L"Hold"});
  TheState().driverSource = SourceIn(PreparePackage(L"missing", L"qvtproc.dll"));
  Show(IDD_COMPLETE);
  Press(PSBTN_FINISH);
  EXPECT_FALSE(Closed());
  EXPECT_TRUE(Boxes().empty());
  DeleteFileW(path);
}

// A spooler that refuses the second printer with the given code.
DWORD g_refusal = 0;
class RefusingSpooler : public WindowsSpooler {
public:
  void* CreatePrinter(const twk::setup::PrinterRecord& record, uint32_t& error) override {
    if (++calls_ == 2) {
      error = g_refusal;
      return nullptr;
    }
    return WindowsSpooler::CreatePrinter(record, error);
  }

private:
  int calls_ = 0;
};
DWORD RefusingAddPrinters(const CString& driverName, const InstallerState& state, const CStringList& profiles) {
  RefusingSpooler spooler;
  return twk::setup::AddPrintersTo(spooler, PrintersRequestFrom(driverName, state), ToU16List(profiles), CurrentWindowsKind());
}

TEST_F(CompletePage, APrinterTheSpoolerRefusesKeepsTheWizardOpen) {
  const struct {
    DWORD code;
    bool systemText;
  } cases[] = {{ERROR_ACCESS_DENIED, true}, {0x20000123, false}};  // the latter has no system text
  for (const auto& c : cases) {
    DeleteAllPrinters();
    Boxes().clear();
    ServerRoad({L"Hold", L"Normal", L"Fast"});
    TheState().keepDriver = true;
    TheState().driverInstalled = true;
    Show(IDD_COMPLETE);
    g_refusal = c.code;
    g_addPrinters = &RefusingAddPrinters;
    Press(PSBTN_FINISH);
    g_addPrinters = &AddPrinters;
    ASSERT_FALSE(Closed());
    EXPECT_EQ(PageId(), UINT(IDD_COMPLETE));
    ASSERT_EQ(Boxes().size(), 1u);
    if (c.systemText) {
      EXPECT_NE(Boxes()[0].text, L"Could not install printer(s).");
      EXPECT_FALSE(Boxes()[0].text.empty());
    } else {
      EXPECT_EQ(Boxes()[0].text, L"Could not install printer(s).");
    }
    EXPECT_TRUE(ReadPrinter(L"Office-Hold").found) << "the printer made before the failure stays";
    EXPECT_FALSE(ReadPrinter(L"Office-Normal").found);
    EXPECT_FALSE(ReadPrinter(L"Office-Fast").found) << "the queues after the failure are not tried";
    TheState() = InstallerState();
  }
  // Finish again: the whole sequence once more, the first name now taken.
  ServerRoad({L"Hold", L"Normal", L"Fast"});
  Show(IDD_COMPLETE);
  Press(PSBTN_FINISH);
  EXPECT_TRUE(Closed());
  for (const wchar_t* name : {L"Office-Hold", L"Office-Hold(1)", L"Office-Normal", L"Office-Fast"})
    EXPECT_TRUE(ReadPrinter(name).found) << name;
}

}  // namespace
