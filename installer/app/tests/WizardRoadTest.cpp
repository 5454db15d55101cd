// The finished installer program driven from outside through window messages along
// the wizard's roads, inside a network namespace with the test print server
// (netns-run.sh) and a prefix of its own: discovery, server, queues, model from the
// test driver package, Complete page and Finish; the road based on an installed
// printer; the other-connection road. For tarnwick.exe (QV_HANDOFF=1) the wizard is
// the 64-bit program it hands over to.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DriverInstallWin.h"
#include "PrintServerControl.h"
#include "PrintersWin.h"
#include "Screenshot.h"
#include "SpoolerProbe.h"
#include "TWKResource.h"
#include "WinVersion.h"

namespace {

// The spooler's directory of the environment the wizard installs into: on 64-bit
// Windows the wizard is always the 64-bit program (tarnwick.exe hands over to it).
using DirectoryQuery = BOOL(WINAPI*)(LPWSTR, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD);
std::wstring WizardDirectory(DirectoryQuery query) {
  wchar_t x64[] = L"Windows x64";
  LPWSTR environment = sizeof(void*) == 4 && Is64BitWindows() ? x64 : nullptr;
  wchar_t buffer[MAX_PATH] = {};
  DWORD needed = 0;
  query(nullptr, environment, 1, reinterpret_cast<LPBYTE>(buffer), sizeof buffer - sizeof(wchar_t), &needed);
  return buffer;
}

std::wstring Widen(const char* s) { return std::wstring(s, s + strlen(s)); }

std::wstring FromUnix(const char* path) {
  std::wstring w = L"Z:" + Widen(path);
  std::replace(w.begin(), w.end(), L'/', L'\\');
  return w;
}

std::wstring TempDir(const wchar_t* name) {
  wchar_t buffer[MAX_PATH];
  GetTempPathW(MAX_PATH, buffer);
  std::wstring dir = std::wstring(buffer) + L"qvroad-" + name;
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

// The test driver package with its colour profile, in a folder of the prefix.
std::wstring PreparePackage(const wchar_t* name) {
  const std::wstring dir = TempDir(name);
  const std::wstring from = FromUnix(QV_SETUP_FIXTURES "/qvtest");
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        CopyFileW((from + L"\\" + found.cFileName).c_str(), (dir + L"\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  CopyFileW(FromUnix(QV_TEST_ICC).c_str(), (dir + L"\\Gray.icc").c_str(), FALSE);
  return dir;
}

const wchar_t kModel[] = L"Tavik Test PS";

using spoolertest::DeleteAllPrinters;
using spoolertest::LocalPrinterNames;
using spoolertest::PrinterInfo;
using spoolertest::ProfileAssociated;
using spoolertest::ReadPrinter;

// One print server, found by the discovery at 127.0.0.2 (alpha.test in the
// namespace's hosts file), with three queues and its own name.
const char kServer[] = R"({"cmd":"config","udp":[{"addr":"127.0.0.2"}],"hosts":{"127.0.0.2":{
  "queues":{"body":"<queues><queue><name>Hold</name></queue><queue><name>Normal</name></queue><queue><name>Proof</name></queue></queues>"},
  "details":{"body":"<rip><communication><ripname>Rip Two</ripname></communication></rip>"}}}})";

std::wstring WindowText(HWND window) {
  wchar_t buffer[1024] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000, nullptr);
  return buffer;
}

// Memory in the wizard's process, for the list-view messages that carry pointers.
class RemoteMemory {
public:
  RemoteMemory(HANDLE process, size_t size) : process_(process) {
    at_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteMemory() {
    if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
  }
  void* at() const { return at_; }
  void Write(const void* data, size_t size, size_t offset = 0) {
    WriteProcessMemory(process_, static_cast<char*>(at_) + offset, data, size, nullptr);
  }
  void Read(void* data, size_t size, size_t offset = 0) const {
    ReadProcessMemory(process_, static_cast<char*>(at_) + offset, data, size, nullptr);
  }

private:
  HANDLE process_;
  void* at_ = nullptr;
};

struct FoundWizard {
  DWORD process;
  HWND window;
};

BOOL CALLBACK FindWizard(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<FoundWizard*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (IsWindowVisible(window) && std::wstring(cls) == L"#32770" && pid != GetCurrentProcessId() &&
      GetWindow(window, GW_OWNER) == nullptr && WindowText(window) == L"Tarnwick") {
    found->process = pid;
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

struct FoundBox {
  HWND box = nullptr;
  DWORD process = 0;
  HWND sheet = nullptr;
};

// A message box of the wizard's process: a dialog other than the sheet.
BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<FoundBox*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == found->process && window != found->sheet && IsWindowVisible(window) && std::wstring(cls) == L"#32770") {
    found->box = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK LongestStatic(HWND child, LPARAM param) {
  auto* text = reinterpret_cast<std::wstring*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  if (lstrcmpiW(cls, L"Static") == 0) {
    const std::wstring t = WindowText(child);
    if (t.size() > text->size()) *text = t;
  }
  return TRUE;
}

const int kBack = 0x3023, kNext = 0x3024;

// The program started with its wizard found, and the ways a user drives it.
class RemoteWizard {
public:
  ~RemoteWizard() {
    for (DWORD pid : {child_, started_}) {
      if (!pid) continue;
      if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        if (WaitForSingleObject(h, 0) == WAIT_TIMEOUT) TerminateProcess(h, 1);
        WaitForSingleObject(h, 5000);
        CloseHandle(h);
      }
    }
    if (process_) CloseHandle(process_);
    if (startedHandle_) CloseHandle(startedHandle_);
  }

  // Starts the program and waits (up to 30 s) for its wizard.
  bool Start() {
    const char* program = getenv("QV_PROGRAM");
    if (!program) return false;
    std::wstring exe = FromUnix(program);
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      return false;
    started_ = info.dwProcessId;
    startedHandle_ = info.hProcess;
    CloseHandle(info.hThread);
    for (int i = 0; i < 300; ++i) {
      FoundWizard found{0, nullptr};
      EnumWindows(FindWizard, reinterpret_cast<LPARAM>(&found));
      if (found.window) {
        sheet_ = found.window;
        if (found.process != started_) child_ = found.process;
        process_ = OpenProcess(PROCESS_ALL_ACCESS, FALSE, found.process);
        Sleep(500);  // its first activation
        return process_ != nullptr;
      }
      Sleep(100);
    }
    return false;
  }

  HWND Sheet() const { return sheet_; }
  HWND Page() const {
    DWORD_PTR page = 0;
    SendMessageTimeoutW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_BLOCK, 5000, &page);
    return reinterpret_cast<HWND>(page);
  }
  // The page's dialog id, from its position in the sheet; 0 once the wizard closed.
  UINT PageId() const {
    HWND page = Page();
    if (!page) return 0;
    DWORD_PTR index = 0;
    SendMessageTimeoutW(sheet_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0, SMTO_BLOCK, 5000, &index);
    const UINT ids[] = {IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH, IDD_LISTQUEUES, IDD_OTHERPORT,
                        IDD_LISTMODEL, IDD_LISTPRINTER, IDD_EXISTDRIVER, IDD_COMPLETE};
    return index < 9 ? ids[index] : 0;
  }
  HWND Item(int id) const { return GetDlgItem(Page(), id); }
  std::wstring ItemText(int id) const { return WindowText(Item(id)); }

  // Presses a button and waits for the page to change or a message box to appear.
  void Press(int button, int waitMs = 15000) {
    const HWND before = Page();
    PostMessageW(sheet_, PSM_PRESSBUTTON, WPARAM(button), 0);
    for (int waited = 0; waited < waitMs; waited += 50) {
      Sleep(50);
      if (Box() || Page() != before) break;
    }
    Sleep(300);
  }
  void Click(int id) {
    SendMessageTimeoutW(Item(id), BM_CLICK, 0, 0, SMTO_BLOCK, 5000, nullptr);
    Sleep(100);
  }
  void SetText(int id, const wchar_t* text) {
    SendMessageTimeoutW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
  }
  bool Checked(int id) const {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(Item(id), BM_GETCHECK, 0, 0, SMTO_BLOCK, 5000, &state);
    return state == BST_CHECKED;
  }

  // The open message box of the wizard's process, or null.
  HWND Box() const {
    FoundBox found;
    GetWindowThreadProcessId(sheet_, &found.process);
    found.sheet = sheet_;
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&found));
    return found.box;
  }
  // The text of the open message box, which is then closed; empty when there is none.
  std::wstring TakeBox() {
    HWND box = Box();
    if (!box) return L"";
    std::wstring text;
    EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&text));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
    return text;
  }

  // List views of the pages.
  int ItemCount(int list) const {
    DWORD_PTR n = 0;
    SendMessageTimeoutW(Item(list), LVM_GETITEMCOUNT, 0, 0, SMTO_BLOCK, 5000, &n);
    return int(n);
  }
  std::wstring ItemTextAt(int list, int item, int column = 0) const {
    RemoteMemory memory(process_, sizeof(LVITEMW) + 512 * sizeof(wchar_t));
    LVITEMW it{};
    it.iSubItem = column;
    it.cchTextMax = 512;
    it.pszText = reinterpret_cast<LPWSTR>(static_cast<char*>(memory.at()) + sizeof(LVITEMW));
    memory.Write(&it, sizeof it);
    SendMessageTimeoutW(Item(list), LVM_GETITEMTEXTW, WPARAM(item), reinterpret_cast<LPARAM>(memory.at()), SMTO_BLOCK,
                        5000, nullptr);
    wchar_t text[512] = {};
    memory.Read(text, sizeof text - sizeof(wchar_t), sizeof(LVITEMW));
    return text;
  }
  std::vector<std::wstring> ItemTexts(int list) const {
    std::vector<std::wstring> texts;
    for (int i = 0; i < ItemCount(list); ++i) texts.push_back(ItemTextAt(list, i));
    return texts;
  }
  bool ItemChecked(int list, int item) const {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(Item(list), LVM_GETITEMSTATE, WPARAM(item), LVIS_STATEIMAGEMASK, SMTO_BLOCK, 5000, &state);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
  }
  // Selects the item whose text is `text` (the page sees the selection change).
  bool Select(int list, const std::wstring& text) {
    const std::vector<std::wstring> texts = ItemTexts(list);
    const auto at = std::find(texts.begin(), texts.end(), text);
    if (at == texts.end()) return false;
    RemoteMemory memory(process_, sizeof(LVITEMW));
    LVITEMW it{};
    it.stateMask = it.state = LVIS_SELECTED | LVIS_FOCUSED;
    memory.Write(&it, sizeof it);
    SendMessageTimeoutW(Item(list), LVM_SETITEMSTATE, WPARAM(at - texts.begin()),
                        reinterpret_cast<LPARAM>(memory.at()), SMTO_BLOCK, 5000, nullptr);
    Sleep(300);
    return true;
  }
  // Waits until the list holds at least `count` items (up to 10 s).
  bool WaitForItems(int list, int count) const {
    for (int i = 0; i < 200; ++i) {
      if (ItemCount(list) >= count) return true;
      Sleep(50);
    }
    return false;
  }

  void Shot(const std::string& name) {
    Screenshot(sheet_, std::string(getenv("QV_ARCH") ? getenv("QV_ARCH") : "x64") + "-road-" + name);
  }

  // True when the wizard's program ended within `ms` (Finish closes the wizard).
  bool Ended(DWORD ms) {
    if (WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) return false;
    if (startedHandle_ != process_) WaitForSingleObject(startedHandle_, ms);
    return true;
  }

private:
  DWORD started_ = 0, child_ = 0;
  HANDLE startedHandle_ = nullptr;
  HANDLE process_ = nullptr;
  HWND sheet_ = nullptr;
};

class Road : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    packageDir = PreparePackage(L"pkg");
  }
  void SetUp() override {
    PrintServerControl control;
    ASSERT_EQ(control.Command(kServer), "ok");
    DeleteAllPrinters();
    // The model page reloads the INF remembered in the program's profile.
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\TAVIK\\Tarnwick\\Directories", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring inf = packageDir + L"\\qvtest.inf";
    RegSetValueExW(key, L"INFFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(inf.c_str()),
                   DWORD((inf.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }

  // Welcome, new-or-based with the given choice.
  void ThroughWelcome(RemoteWizard& wizard, int origin) {
    ASSERT_EQ(wizard.PageId(), UINT(IDD_WELCOME));
    wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(wizard.PageId(), UINT(IDD_NEWOLD));
    wizard.Click(origin);
    wizard.Press(PSBTN_NEXT);
  }
  // Model page: the remembered package's manufacturer and model.
  void ChooseModel(RemoteWizard& wizard) {
    ASSERT_EQ(wizard.PageId(), UINT(IDD_LISTMODEL));
    ASSERT_TRUE(wizard.WaitForItems(IDC_LISTMODEL_MANUFACTURERS, 1));
    ASSERT_TRUE(wizard.Select(IDC_LISTMODEL_MANUFACTURERS, L"Tavik"));
    ASSERT_TRUE(wizard.WaitForItems(IDC_LISTMODEL_MODELS, 1));
    ASSERT_TRUE(wizard.Select(IDC_LISTMODEL_MODELS, kModel));
    wizard.Shot("page09");
    wizard.Press(PSBTN_NEXT);
  }

  static std::wstring packageDir;
};
std::wstring Road::packageDir;

TEST_F(Road, FromDiskForTheQueuesOfAFoundServer) {
  // The first run installs the driver; later runs find it installed and pass the
  // existing-driver page, keeping it (no file is copied) or replacing it.
  const struct {
    bool internet;
    int existing;  // 0: the driver is not installed yet
  } runs[] = {{false, 0}, {true, IDC_EXISTDRIVER_KEEP}, {false, IDC_EXISTDRIVER_REPLACE}};
  const std::wstring driverDir = WizardDirectory(GetPrinterDriverDirectoryW);
  ASSERT_FALSE(ProfileAssociated(L"qvgray.icc"));
  for (const auto& run : runs) {
    const bool internet = run.internet;
    DeleteAllPrinters();
    DeleteFileW((driverDir + L"\\qvtdrv.dll").c_str());
    RemoteWizard wizard;
    ASSERT_TRUE(wizard.Start()) << "no wizard (QV_PROGRAM names the installer)";
    ThroughWelcome(wizard, IDC_NEWOLD_FROMDISK);
    ASSERT_EQ(wizard.PageId(), UINT(IDD_NETWORKSEARCH));
    ASSERT_TRUE(wizard.WaitForItems(IDC_NETSEARCH_SERVERS, 1));
    ASSERT_TRUE(wizard.Select(IDC_NETSEARCH_SERVERS, L"Rip Two"));
    wizard.Click(IDC_NETSEARCH_FOUND);
    wizard.Press(PSBTN_NEXT);

    ASSERT_EQ(wizard.PageId(), UINT(IDD_LISTQUEUES)) << wizard.TakeBox();
    EXPECT_EQ(wizard.ItemTexts(IDC_LISTQUEUES_QUEUES), (std::vector<std::wstring>{L"Hold", L"Normal", L"Proof"}));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(wizard.ItemChecked(IDC_LISTQUEUES_QUEUES, i)) << i;
    if (internet) wizard.Click(IDC_LISTQUEUES_INTERNET);
    wizard.Press(PSBTN_NEXT);

    ChooseModel(wizard);
    if (run.existing) {
      ASSERT_EQ(wizard.PageId(), UINT(IDD_EXISTDRIVER)) << wizard.TakeBox();
      EXPECT_TRUE(wizard.Checked(IDC_EXISTDRIVER_KEEP)) << "Keep is preselected";
      wizard.Click(run.existing);
      wizard.Press(PSBTN_NEXT);
    }
    ASSERT_EQ(wizard.PageId(), UINT(IDD_COMPLETE)) << wizard.TakeBox();
    EXPECT_EQ(wizard.ItemText(IDC_COMPLETE_PORT_LABEL), L"Ports:");
    const std::wstring host = L"alpha.test";
    const std::wstring expected =
        internet ? L"http://" + host + L":631/printers/Hold\nhttp://" + host + L":631/printers/Normal\nhttp://" + host +
                       L":631/printers/Proof\n"
                 : L"\\\\" + host + L"\\Hold\n\\\\" + host + L"\\Normal\n\\\\" + host + L"\\Proof\n";
    EXPECT_EQ(wizard.ItemText(IDC_COMPLETE_PORTS), expected);
    EXPECT_EQ(wizard.ItemText(IDC_COMPLETE_DRIVER), kModel);
    const std::wstring name = wizard.ItemText(IDC_COMPLETE_NAME);
    EXPECT_EQ(name, L"Rip Two");
    wizard.Shot(internet ? "page14-internet" : "page14");
    wizard.Press(PSBTN_FINISH, 60000);
    EXPECT_EQ(wizard.TakeBox(), L"");
    ASSERT_TRUE(wizard.Ended(30000)) << "Finish closes the wizard";

    for (const wchar_t* queue : {L"Hold", L"Normal", L"Proof"}) {
      std::wstring lower = queue;
      CharLowerW(&lower[0]);
      const PrinterInfo printer = ReadPrinter(name + L"-" + queue);
      ASSERT_TRUE(printer.found) << queue;
      EXPECT_EQ(printer.driver, kModel);
      EXPECT_EQ(printer.port, internet ? L"http://" + host + L":631/printers/" + queue : L"\\\\" + host + L"\\" + lower);
      EXPECT_EQ(printer.attributes & 0x250u, internet ? 0x210u : 0x240u);
    }
    EXPECT_EQ(GetFileAttributesW((driverDir + L"\\qvtdrv.dll").c_str()) != INVALID_FILE_ATTRIBUTES,
              run.existing != IDC_EXISTDRIVER_KEEP)
        << "the driver's files are copied unless the installed driver is kept";
    if (!run.existing) {
      EXPECT_TRUE(ProfileAssociated(L"qvgray.icc")) << "the package's colour profile";
    }
  }
  // The driver's files are in the spooler's directories.
  for (const wchar_t* file : {L"qvtdrv.dll", L"qvtest.ppd", L"qvtcfg.dll"})
    EXPECT_NE(GetFileAttributesW((driverDir + L"\\" + file).c_str()), INVALID_FILE_ATTRIBUTES) << file;
  EXPECT_NE(GetFileAttributesW((WizardDirectory(GetPrintProcessorDirectoryW) + L"\\qvtproc.dll").c_str()),
            INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW((GetColorProfileDirectory() + L"\\qvgray.icc").GetString()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Road, BasedOnAnInstalledPrinterOfTheServer) {
  // The installed printer is made here with the spooler of the test's own
  // environment, which a 32-bit test does not share with the 64-bit wizard.
  if (sizeof(void*) == 4 && Is64BitWindows()) GTEST_SKIP() << "the 64-bit test runs this road";
  CStringList profiles;
  ASSERT_EQ(InstallPrinterDriver(
                [] {
                  DriverSource source;
                  source.modelsSection = Is64BitWindows() ? L"TAVIK.NTamd64" : L"TAVIK";
                  source.modelName = kModel;
                  source.infPath = (packageDir + L"\\qvtest.inf").c_str();
                  return source;
                }(),
                nullptr, profiles),
            0u);
  const CString driverDir = GetDriverDirectory();
  const struct {
    const wchar_t* port;
    UINT next;  // the page after the installed-printer page
  } cases[] = {{L"\\\\127.0.0.2\\Normal", IDD_LISTQUEUES}, {L"\\\\10.99.0.77\\Normal", IDD_OTHERPORT}};
  for (const auto& c : cases) {
    DeleteAllPrinters();
    InstallerState installed;
    installed.singlePortMode = true;
    installed.singlePort = c.port;
    installed.printerName = L"Lab";
    ASSERT_EQ(AddPrinters(kModel, installed, CStringList()), 0u);
    DeleteFileW((driverDir + L"\\qvtdrv.dll").GetString());

    RemoteWizard wizard;
    ASSERT_TRUE(wizard.Start());
    ThroughWelcome(wizard, IDC_NEWOLD_BASED);
    ASSERT_EQ(wizard.PageId(), UINT(IDD_LISTPRINTER));
    EXPECT_EQ(wizard.ItemTexts(IDC_LISTPRINTER_PRINTERS), std::vector<std::wstring>{L"Lab"});
    ASSERT_TRUE(wizard.Select(IDC_LISTPRINTER_PRINTERS, L"Lab"));
    wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(wizard.PageId(), c.next) << c.port;
    if (c.next == IDD_LISTQUEUES) {
      EXPECT_EQ(wizard.ItemTexts(IDC_LISTQUEUES_QUEUES), (std::vector<std::wstring>{L"Hold", L"Normal", L"Proof"}));
      EXPECT_TRUE(IsWindowEnabled(wizard.Item(IDC_LISTQUEUES_NAME)));
      wizard.SetText(IDC_LISTQUEUES_NAME, L"Based");
      wizard.Press(PSBTN_NEXT);
      ASSERT_EQ(wizard.PageId(), UINT(IDD_COMPLETE)) << wizard.TakeBox();
      wizard.Press(PSBTN_FINISH, 60000);
      EXPECT_EQ(wizard.TakeBox(), L"");
      ASSERT_TRUE(wizard.Ended(30000));
      for (const wchar_t* queue : {L"Hold", L"Normal", L"Proof"}) {
        const PrinterInfo printer = ReadPrinter(std::wstring(L"Based-") + queue);
        ASSERT_TRUE(printer.found) << queue;
        EXPECT_EQ(printer.driver, kModel);
      }
      EXPECT_EQ(GetFileAttributesW((driverDir + L"\\qvtdrv.dll").GetString()), INVALID_FILE_ATTRIBUTES)
          << "no driver is installed on the based road";
    } else {
      PostMessageW(wizard.Sheet(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      EXPECT_TRUE(wizard.Ended(20000));
    }
  }
}

TEST_F(Road, OtherConnectionFromTheNetworkSearchPage) {
  RemoteWizard wizard;
  ASSERT_TRUE(wizard.Start());
  ThroughWelcome(wizard, IDC_NEWOLD_FROMDISK);
  ASSERT_EQ(wizard.PageId(), UINT(IDD_NETWORKSEARCH));
  wizard.Click(IDC_NETSEARCH_OTHER);
  wizard.Press(PSBTN_NEXT);
  ASSERT_EQ(wizard.PageId(), UINT(IDD_OTHERPORT)) << wizard.TakeBox();

  // A refusal first: the message box, and the page stays.
  wizard.SetText(IDC_OTHERPORT_UNC_EDIT, L"\\\\127.0.0.2\\Proof\\x");
  wizard.Click(IDC_OTHERPORT_UNC);
  wizard.Press(PSBTN_NEXT);
  EXPECT_EQ(wizard.TakeBox(), L"This is not a valid printer port.");
  EXPECT_EQ(wizard.PageId(), UINT(IDD_OTHERPORT));

  wizard.SetText(IDC_OTHERPORT_UNC_EDIT, L"\\\\127.0.0.2\\Proof");
  wizard.Press(PSBTN_NEXT);
  ChooseModel(wizard);
  if (wizard.PageId() == IDD_EXISTDRIVER) wizard.Press(PSBTN_NEXT);  // installed by an earlier road
  ASSERT_EQ(wizard.PageId(), UINT(IDD_COMPLETE)) << wizard.TakeBox();
  EXPECT_EQ(wizard.ItemText(IDC_COMPLETE_PORT_LABEL), L"Port:");
  EXPECT_EQ(wizard.ItemText(IDC_COMPLETE_PORTS), L"\\\\127.0.0.2\\Proof");
  const std::wstring name = wizard.ItemText(IDC_COMPLETE_NAME);
  wizard.Press(PSBTN_FINISH, 60000);
  EXPECT_EQ(wizard.TakeBox(), L"");
  ASSERT_TRUE(wizard.Ended(30000));
  const std::vector<std::wstring> printers = LocalPrinterNames();
  ASSERT_EQ(printers.size(), 1u);
  EXPECT_EQ(ReadPrinter(printers[0]).port, L"\\\\127.0.0.2\\proof");
}

}  // namespace
