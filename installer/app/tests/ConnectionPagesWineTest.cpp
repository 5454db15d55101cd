// The installed-printer and other-connection pages in the running wizard, inside a
// network namespace with the test print server (netns-run.sh): ports whose hosts
// answer or not, the four connection kinds with their refusals, the focus handlers,
// and the radio groups of the dialogs.
#include <winsock2.h>

#include "WizardFixture.h"

#include "CSocket.h"
#include "OtherPortPage.h"
#include "PrintServerControl.h"
#include "PrintersWin.h"

#include "Utf16.h"

using namespace wizardtest;

namespace {

// Connections the print server accepted on host (printserver.py's log).
int Accepted(PrintServerControl& control, const std::string& host) {
  const std::string answer = control.Command("{\"cmd\":\"accepted\",\"host\":\"" + host + "\"}");
  return answer.empty() ? -1 : std::atoi(answer.c_str());
}

// 127.0.0.2 runs a print server with three queues and its own name; nothing listens
// on 127.0.0.3; 10.99.0.77 is on the namespace's link but no host has it, so it
// never answers an echo.
const char kServers[] = R"({"cmd":"config","hosts":{"127.0.0.2":{
  "queues":{"body":"<queues><queue><name>Hold</name></queue><queue><name>Normal</name></queue><queue><name>Proof</name></queue></queues>"},
  "details":{"body":"<rip><communication><ripname>Rip Two</ripname></communication></rip>"}}}})";

class ConnectionPages : public WizardTest {
protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(AfxSocketInit());
    CStringList profiles;
    ASSERT_EQ(0u, InstallPrinterDriver(SourceIn(PreparePackage(L"pkg")), nullptr, profiles));
  }
  void SetUp() override {
    WizardTest::SetUp();
    ASSERT_EQ(control_.Command(kServers), "ok");
    DeleteAllPrinters();
  }
  // A printer of the test driver on a port, made as the wizard makes its printers.
  static void AddPrinterOn(const wchar_t* name, const wchar_t* port) {
    InstallerState state;
    state.singlePortMode = true;
    state.singlePort = port;
    state.printerName = name;
    ASSERT_EQ(AddPrinters(kModel, state, CStringList()), 0u) << name;
  }
  void SelectPrinter(const wchar_t* name) {
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = name;
    const int item = int(SendMessageW(Item(IDC_LISTPRINTER_PRINTERS), LVM_FINDITEMW, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
    ASSERT_GE(item, 0) << "not listed";
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Item(IDC_LISTPRINTER_PRINTERS), LVM_SETITEMSTATE, WPARAM(item), reinterpret_cast<LPARAM>(&state));
  }
  int SelectedPrinter() const { return int(SendMessageW(Item(IDC_LISTPRINTER_PRINTERS), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }
  void BasedRoad() {
    TheState().radioDriverOrigin = IDC_NEWOLD_BASED;
    TheState().basedMode = true;
    TheState().pageHistory = {IDD_WELCOME, IDD_NEWOLD};
  }
  std::wstring SelectedText(int combo) {
    const int item = int(SendMessageW(Item(combo), CB_GETCURSEL, 0, 0));
    if (item < 0) return L"";
    std::vector<wchar_t> buffer(size_t(SendMessageW(Item(combo), CB_GETLBTEXTLEN, WPARAM(item), 0)) + 1);
    SendMessageW(Item(combo), CB_GETLBTEXT, WPARAM(item), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
  }
  std::wstring SelectedFieldText() {
    HWND focus = GetFocus();
    DWORD start = 0, end = 0;
    SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return Text(focus).substr(start, end - start);
  }

  PrintServerControl control_;
};

// --- Page 10 ---

TEST_F(ConnectionPages, AnsweringServerOfAnInstalledPrintersPortLeadsToItsQueues) {
  AddPrinterOn(L"Lab Printer", L"\\\\127.0.0.2\\Normal");
  AddPrinterOn(L"Lab", L"LPT1:");
  BasedRoad();
  Show(IDD_LISTPRINTER);
  EXPECT_EQ(SelectedPrinter(), -1);
  Shot("page10");
  SelectPrinter(L"Lab Printer");
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  const InstallerState& state = TheState();
  EXPECT_EQ(state.pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_LISTPRINTER}));
  EXPECT_TRUE(state.printServerName == L"127.0.0.2");
  EXPECT_TRUE(state.serverHostName == L"127.0.0.2");
  EXPECT_TRUE(state.printerName == L"Rip Two");
  EXPECT_TRUE(state.driverName == kModel);
  EXPECT_TRUE(state.serverAnswered);
  EXPECT_EQ(state.queueList.GetCount(), 3);
  EXPECT_TRUE(state.installedPrinter.port == L"\\\\127.0.0.2\\normal");
  EXPECT_TRUE(state.chosenInstalledPrinter == L"Lab Printer");

  // Back to page 10: the remembered printer is selected again.
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_LISTPRINTER));
  ASSERT_GE(SelectedPrinter(), 0);
  wchar_t text[64] = {};
  LVITEMW item{};
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(Item(IDC_LISTPRINTER_PRINTERS), LVM_GETITEMTEXTW, WPARAM(SelectedPrinter()), reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, L"Lab Printer");
}

TEST_F(ConnectionPages, RememberedNameSelectsTheFirstPrinterThatBeginsWithIt) {
  AddPrinterOn(L"Lab B", L"LPT1:");
  AddPrinterOn(L"Lab A", L"LPT1:");
  BasedRoad();
  TheState().chosenInstalledPrinter = L"lab";
  Show(IDD_LISTPRINTER);
  ASSERT_EQ(SelectedPrinter(), 0);  // sorted: "Lab A" first
}

TEST_F(ConnectionPages, PortsWithoutAnAnsweringServerLeadToTheOtherConnectionPage) {
  const struct {
    const wchar_t* port;
    bool echoed;  // the host is asked for an echo (and does not answer)
  } cases[] = {{L"\\\\10.99.0.77\\Normal", true},
               {L"\\\\\\Normal", false},  // no host: nothing is sent
               {L"LPT1:", false},
               {L"127.0.0.3:9100", false}};  // a host without a print server
  for (const auto& c : cases) {
    DeleteAllPrinters();
    TheState() = InstallerState();
    AddPrinterOn(L"Old", c.port);
    BasedRoad();
    Show(IDD_LISTPRINTER);
    SelectPrinter(L"Old");
    LARGE_INTEGER f, start, end;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&start);
    Press(PSBTN_NEXT);
    QueryPerformanceCounter(&end);
    const double seconds = double(end.QuadPart - start.QuadPart) / double(f.QuadPart);
    ASSERT_EQ(PageId(), UINT(IDD_OTHERPORT)) << c.port;
    EXPECT_TRUE(TheState().printerName == L"Old") << c.port;
    EXPECT_TRUE(TheState().driverName == kModel) << c.port;
    EXPECT_FALSE(TheState().serverAnswered) << c.port;
    if (!c.echoed) {
      EXPECT_LT(seconds, 2.5) << c.port << ": no echo wait";
    }
    EXPECT_TRUE(Boxes().empty()) << c.port;
  }
}

TEST_F(ConnectionPages, NextWithoutAPrinterRefuses) {
  AddPrinterOn(L"Lab", L"LPT1:");
  BasedRoad();
  Show(IDD_LISTPRINTER);
  Press(PSBTN_NEXT);
  EXPECT_EQ(PageId(), UINT(IDD_LISTPRINTER));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, L"Please select a printer you want to use.");
  EXPECT_EQ(TheState().pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD}));
}

TEST_F(ConnectionPages, DoubleClickPressesNext) {
  AddPrinterOn(L"Lab", L"LPT1:");
  BasedRoad();
  Show(IDD_LISTPRINTER);
  SelectPrinter(L"Lab");
  NMITEMACTIVATE click{};
  click.hdr.hwndFrom = Item(IDC_LISTPRINTER_PRINTERS);
  click.hdr.idFrom = IDC_LISTPRINTER_PRINTERS;
  click.hdr.code = NM_DBLCLK;
  click.iItem = 0;
  SendMessageW(Page(), WM_NOTIFY, IDC_LISTPRINTER_PRINTERS, reinterpret_cast<LPARAM>(&click));
  Pump();
  EXPECT_EQ(PageId(), UINT(IDD_OTHERPORT));
}

// --- Page 8 ---

TEST_F(ConnectionPages, UncNameWhoseServerAnswers) {
  TheState().pageHistory = {IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH};
  Show(IDD_OTHERPORT);
  EXPECT_TRUE(Checked(IDC_OTHERPORT_UNC)) << "the first visit checks the UNC choice";
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_OTHERPORT_NAME))) << "outside based mode";
  EXPECT_EQ(ItemText(IDC_OTHERPORT_UNC_EXAMPLE), L"Example: \\\\printername\\queue");
  Shot("page08");
  SetItemText(IDC_OTHERPORT_UNC_EDIT, L"  \\\\127.0.0.2\\Proof ");
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(TheState().singlePort == L"\\\\127.0.0.2\\Proof");
  EXPECT_TRUE(TheState().singlePortMode);
  EXPECT_EQ(TheState().radioConnection, IDC_OTHERPORT_UNC);
  EXPECT_TRUE(TheState().typedUncName == L"  \\\\127.0.0.2\\Proof ");
  EXPECT_EQ(TheState().pageHistory.back(), IDD_OTHERPORT);
}

TEST_F(ConnectionPages, RefusalsOfTheUncNameAndTheUrl) {
  const struct {
    int radio, field;
    const wchar_t* text;
    const wchar_t* message;
  } cases[] = {
      {IDC_OTHERPORT_UNC, IDC_OTHERPORT_UNC_EDIT, L"\\\\127.0.0.2\\Proof\\x", L"This is not a valid printer port."},
      {IDC_OTHERPORT_UNC, IDC_OTHERPORT_UNC_EDIT, L"\\\\127.0.0.2\\", L"This is not a valid printer port."},
      {IDC_OTHERPORT_UNC, IDC_OTHERPORT_UNC_EDIT, L"\\\\\\Proof", L"This is not a valid printer port."},
      {IDC_OTHERPORT_UNC, IDC_OTHERPORT_UNC_EDIT, L"\\\\10.99.0.77\\Proof", L"Could not connect to: \"10.99.0.77\""},
      {IDC_OTHERPORT_URL, IDC_OTHERPORT_URL_EDIT, L"   ", L"This is not a valid printer port."},
      {IDC_OTHERPORT_URL, IDC_OTHERPORT_URL_EDIT, L"http://127.0.0.3/printers/Proof", L"Could not connect to the printer."},
      {IDC_OTHERPORT_URL, IDC_OTHERPORT_URL_EDIT, L"ftp://127.0.0.2/printers/Proof", L"Could not connect to the printer."},
      {IDC_OTHERPORT_URL, IDC_OTHERPORT_URL_EDIT, L"http://127.0.0.2:0/printers/Proof", L"Could not connect to the printer."},
  };
  TheState().pageHistory = {IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH};
  Show(IDD_OTHERPORT);
  for (const auto& c : cases) {
    Boxes().clear();
    const int before = Accepted(control_, "127.0.0.2");
    SetItemText(c.field, c.text);
    Click(c.radio);
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageId(), UINT(IDD_OTHERPORT)) << c.text;
    ASSERT_EQ(Boxes().size(), 1u) << c.text;
    EXPECT_EQ(Boxes()[0].text, c.message);
    EXPECT_EQ(Boxes()[0].owner, Page());
    EXPECT_EQ(GetFocus(), Item(c.field)) << c.text;
    EXPECT_EQ(SelectedFieldText(), c.text) << "the whole field is selected";
    EXPECT_EQ(Accepted(control_, "127.0.0.2"), before) << c.text << ": refused without a connection";
    EXPECT_TRUE(TheState().singlePortMode);
  }
  EXPECT_EQ(TheState().pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH}));
}

TEST_F(ConnectionPages, UrlWhoseHostAcceptsTheConnection) {
  TheState().pageHistory = {IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH};
  Show(IDD_OTHERPORT);
  const int before = Accepted(control_, "127.0.0.2");
  SetItemText(IDC_OTHERPORT_URL_EDIT, L" http://127.0.0.2/printers/Proof ");
  Click(IDC_OTHERPORT_URL);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  EXPECT_TRUE(TheState().singlePort == L"http://127.0.0.2/printers/Proof");
  EXPECT_EQ(Accepted(control_, "127.0.0.2"), before + 1) << "probed on port 80";
  // Back to page 8: the URL choice and its text are shown again.
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_OTHERPORT));
  EXPECT_EQ(GetFocus(), Item(IDC_OTHERPORT_URL_EDIT)) << "the field of the choice has the focus";
  EXPECT_TRUE(Checked(IDC_OTHERPORT_URL));
  EXPECT_FALSE(Checked(IDC_OTHERPORT_UNC));
  EXPECT_EQ(ItemText(IDC_OTHERPORT_URL_EDIT), L" http://127.0.0.2/printers/Proof ");
}

TEST_F(ConnectionPages, ExistingPortInBasedModeEndsInOnePrinterOnIt) {
  BasedRoad();
  TheState().printerName = L"Copy of Lab";
  TheState().driverName = kModel;
  Show(IDD_OTHERPORT);
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_OTHERPORT_NAME)));
  EXPECT_EQ(ItemText(IDC_OTHERPORT_NAME), L"Copy of Lab");
  ASSERT_GT(SendMessageW(Item(IDC_OTHERPORT_PORTS), CB_GETCOUNT, 0, 0), 0);
  SendMessageW(Item(IDC_OTHERPORT_PORTS), CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(L"FILE:"));
  Click(IDC_OTHERPORT_EXISTING);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_COMPLETE)) << "based mode goes on to the Complete page";
  EXPECT_TRUE(TheState().singlePort == L"FILE:");
  EXPECT_TRUE(TheState().chosenPort == L"FILE:");
  EXPECT_EQ(ItemText(IDC_COMPLETE_PORTS), L"FILE:");
  Press(PSBTN_FINISH);
  EXPECT_EQ(Page(), nullptr);
  const PrinterInfo printer = ReadPrinter(L"Copy of Lab");
  ASSERT_TRUE(printer.found);
  EXPECT_EQ(printer.port, L"file:");
  EXPECT_EQ(printer.driver, kModel);
}

TEST_F(ConnectionPages, UncAndUrlInBasedModeEachEndInOnePrinter) {
  const struct {
    int radio, field;
    const wchar_t* text;
    const wchar_t* port;
  } cases[] = {{IDC_OTHERPORT_UNC, IDC_OTHERPORT_UNC_EDIT, L"\\\\127.0.0.2\\Proof", L"\\\\127.0.0.2\\proof"},
               {IDC_OTHERPORT_URL, IDC_OTHERPORT_URL_EDIT, L"http://127.0.0.2:80/printers/Proof", L"http://127.0.0.2:80/printers/Proof"}};
  for (const auto& c : cases) {
    DeleteAllPrinters();
    TheState() = InstallerState();
    BasedRoad();
    TheState().printerName = L"One";
    TheState().driverName = kModel;
    Show(IDD_OTHERPORT);
    SetItemText(c.field, c.text);
    Click(c.radio);
    Press(PSBTN_NEXT);
    ASSERT_EQ(PageId(), UINT(IDD_COMPLETE)) << c.text;
    Press(PSBTN_FINISH);
    ASSERT_EQ(Page(), nullptr) << c.text;
    EXPECT_EQ(ReadPrinter(L"One").port, c.port);
    DestroyWindow(Sheet());
    WizardTest::TearDown();
    WizardTest::SetUp();
  }
}

TEST_F(ConnectionPages, BasedModeChecksThePrinterName) {
  BasedRoad();
  TheState().printerName = L"Lab";
  Show(IDD_OTHERPORT);
  EXPECT_EQ(SendMessageW(Item(IDC_OTHERPORT_NAME), EM_GETLIMITTEXT, 0, 0), 220);
  Click(IDC_OTHERPORT_EXISTING);
  const struct {
    std::wstring name;
    const wchar_t* message;
  } cases[] = {{L"", L"Please choose a valid printer name."},
               {std::wstring(221, L'n'), L"This is not a valid printer name. It has too many characters."}};
  for (const auto& c : cases) {
    Boxes().clear();
    SetItemText(IDC_OTHERPORT_NAME, c.name.c_str());
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageId(), UINT(IDD_OTHERPORT));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, c.message);
    EXPECT_EQ(GetFocus(), Item(IDC_OTHERPORT_NAME));
  }
  SetItemText(IDC_OTHERPORT_NAME, std::wstring(220, L'n').c_str());
  Press(PSBTN_NEXT);
  EXPECT_EQ(PageId(), UINT(IDD_COMPLETE)) << "a name of exactly the limit passes";
}

TEST_F(ConnectionPages, FocusSelectsTheChoiceOfTheField) {
  TheState().pageHistory = {IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH};
  Show(IDD_OTHERPORT);
  const struct {
    int field, radio;
  } cases[] = {{IDC_OTHERPORT_URL_EDIT, IDC_OTHERPORT_URL}, {IDC_OTHERPORT_PORTS, IDC_OTHERPORT_EXISTING}, {IDC_OTHERPORT_MONITORS, IDC_OTHERPORT_NEW}, {IDC_OTHERPORT_UNC_EDIT, IDC_OTHERPORT_UNC}};
  for (const auto& c : cases) {
    SetFocus(Item(c.field));
    Pump(30);
    for (int radio = IDC_OTHERPORT_UNC; radio <= IDC_OTHERPORT_NEW; ++radio) EXPECT_EQ(Checked(radio), radio == c.radio) << c.field;
  }
}

// A monitor whose dialog adds a port through "Local Port", or is cancelled.
class FakePortMaker : public PortMaker {
public:
  bool cancel = false;
  std::vector<std::u16string> monitors;
  bool AddPortWithMonitor(const std::u16string& monitor) override {
    monitors.push_back(monitor);
    return !cancel && AddLocalPort(L"\\\\newhost\\newqueue");
  }
  std::vector<std::u16string> PortNames() override {
    std::vector<std::u16string> names;
    for (const std::wstring& name : wizardtest::PortNames())
      names.emplace_back(reinterpret_cast<const char16_t*>(name.c_str()));
    return names;
  }
};

TEST_F(ConnectionPages, NewPortIsFoundByComparingThePortLists) {
  FakePortMaker maker;
  g_portMaker = &maker;
  TheState().pageHistory = {IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH};
  Show(IDD_OTHERPORT);
  EXPECT_EQ(SelectedText(IDC_OTHERPORT_MONITORS), L"Local Port");
  Click(IDC_OTHERPORT_NEW);
  maker.cancel = true;
  Press(PSBTN_NEXT);
  EXPECT_EQ(PageId(), UINT(IDD_OTHERPORT)) << "a cancelled dialog stays";
  EXPECT_TRUE(Boxes().empty()) << "without a message";
  maker.cancel = false;
  Press(PSBTN_NEXT);
  g_portMaker = nullptr;
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  EXPECT_TRUE(TheState().singlePort == L"\\\\newhost\\newqueue");
  EXPECT_EQ(maker.monitors, (std::vector<std::u16string>{u"Local Port", u"Local Port"}));
  EXPECT_NE(TheState().portsBeforeNewPort.Find(L"\\\\newhost\\newqueue"), nullptr) << "the list is refreshed";
  Press(PSBTN_BACK);
  EXPECT_TRUE(Checked(IDC_OTHERPORT_NEW));
}

INT_PTR CALLBACK NoDialogProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Each radio of a group unchecks the others when clicked, and GetCheckedRadioButton
// over the group answers it: labels between the radios must not start a new group.
TEST(DialogRadioGroups, EachRadioOfAGroupUnchecksTheOthers) {
  const struct {
    UINT dialog;
    int first, last;
    std::vector<int> radios;
  } groups[] = {{IDD_OTHERPORT, IDC_OTHERPORT_UNC, IDC_OTHERPORT_NEW, {IDC_OTHERPORT_UNC, IDC_OTHERPORT_URL, IDC_OTHERPORT_EXISTING, IDC_OTHERPORT_NEW}},
                {IDD_NETWORKSEARCH, IDC_NETSEARCH_FOUND, IDC_NETSEARCH_OTHER, {IDC_NETSEARCH_FOUND, IDC_NETSEARCH_TYPED, IDC_NETSEARCH_OTHER}},
                {IDD_LISTQUEUES, IDC_LISTQUEUES_CHECKED, IDC_LISTQUEUES_OTHER, {IDC_LISTQUEUES_CHECKED, IDC_LISTQUEUES_OTHER}},
                {IDD_EXISTDRIVER, IDC_EXISTDRIVER_KEEP, IDC_EXISTDRIVER_REPLACE, {IDC_EXISTDRIVER_KEEP, IDC_EXISTDRIVER_REPLACE}}};
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  for (const auto& g : groups) {
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(g.dialog), parent,
                                     NoDialogProcedure, 0);
    ASSERT_NE(dialog, nullptr) << g.dialog;
    EnableWindow(dialog, TRUE);
    for (int radio : g.radios) {
      SendDlgItemMessageW(dialog, radio, BM_CLICK, 0, 0);
      for (int other : g.radios)
        EXPECT_EQ(IsDlgButtonChecked(dialog, other) == BST_CHECKED, other == radio) << g.dialog << ": " << radio;
      int checked = 0;
      for (int id = g.first; id <= g.last && !checked; ++id)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) checked = id;
      EXPECT_EQ(checked, radio) << g.dialog;
    }
    DestroyWindow(dialog);
  }
  DestroyWindow(parent);
}

}  // namespace
