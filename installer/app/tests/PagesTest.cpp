// The wizard's pages 7, 11, 12 and 9 driven through window messages inside this test
// program, against the test print server. netns-run.sh runs the program, its
// wineserver and printserver.py in a network namespace of their own with the hosts
// 127.0.0.2 alpha.test and 127.0.0.3 bravo.test; the program has its own prefix, so
// the registry profile and the installed drivers are its own.
//
// The two print servers: 127.0.0.2 calls itself "Sierra RIP" and has the queues
// Colour and Mono, 127.0.0.3 calls itself "Kilo RIP" and has the queue Proof; both
// answer the discovery broadcast.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CWinApp.h"
#include "HeaderBitmap.h"
#include "PrintServerControl.h"
#include "Screenshot.h"
#include "StartupDiscovery.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TWKSheet.h"
#include "TextLookupWin.h"
#include "Utf16.h"

namespace {

using ::testing::ElementsAre;

const int kFinish = 0x3025;  // the sheet's Finish button

const char kServersConfig[] = R"("udp": [{"addr": "127.0.0.2"}, {"addr": "127.0.0.3"}],
  "hosts": {
    "127.0.0.2": {
      "queues": {"body": "<queues><queue><name>Colour</name><name>Mono</name></queue></queues>"},
      "details": {"body": "<rip><communication><ripname>Sierra RIP</ripname></communication></rip>"}},
    "127.0.0.3": {
      "queues": {"body": "<queues><queue><name>Proof</name></queue></queues>"},
      "details": {"body": "<rip><communication><ripname>Kilo RIP</ripname></communication></rip>"}}})";

double Seconds() {
  LARGE_INTEGER f, now;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(f.QuadPart);
}

void Pump(int ms = 150) {
  const double end = Seconds() + ms / 1000.0;
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (Seconds() < end);
}

std::wstring Text(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(size_t(length) + 1, L'\0');
  GetWindowTextW(window, &text[0], length + 1);
  text.resize(size_t(length));
  return text;
}

std::wstring Widen(const char* s) { return std::wstring(s, s + strlen(s)); }

// A Unix path as Wine's Z: drive sees it.
std::wstring DosPath(const std::string& unixPath) {
  std::wstring p = L"Z:" + Widen(unixPath.c_str());
  for (auto& c : p)
    if (c == L'/') c = L'\\';
  return p;
}

std::wstring Fixture(const char* name) {
  const char* dir = getenv("QV_PAGES_FIXTURES");
  return dir ? DosPath(std::string(dir) + "/" + name) : std::wstring();
}

std::string Narrow(const CString& s) {
  std::string out;
  for (int i = 0; i < s.GetLength(); ++i) out += char(s[i]);
  return out;
}

std::vector<std::string> Strings(const CStringList& list) {
  std::vector<std::string> out;
  for (POSITION pos = list.GetHeadPosition(); pos;) out.push_back(Narrow(list.GetNext(pos)));
  return out;
}

// The printer names the pages that take one refuse, with their messages: empty, and
// one past the limit of 220.
struct NameRefusal {
  std::wstring name;
  const wchar_t* message;
};
const NameRefusal kNameRefusals[] = {
    {L"", L"Please choose a valid printer name."},
    {std::wstring(221, L'n'), L"This is not a valid printer name. It has too many characters."},
};

// The message boxes the pages show, instead of showing them.
struct Box {
  HWND owner;
  std::wstring text;
};
std::vector<Box> g_boxes;
int WINAPI RecordBox(HWND owner, LPCWSTR text, LPCWSTR, UINT) {
  g_boxes.push_back(Box{owner, text ? text : L""});
  return IDOK;
}

// Texts of one column of a list view, in the list's order.
std::vector<std::wstring> ListTexts(HWND list, int column = 0) {
  std::vector<std::wstring> texts;
  const int count = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(i), LPARAM(&item));
    texts.push_back(buffer);
  }
  return texts;
}

int FindText(HWND list, const std::wstring& text) {
  const std::vector<std::wstring> texts = ListTexts(list);
  for (size_t i = 0; i < texts.size(); ++i)
    if (texts[i] == text) return int(i);
  return -1;
}

int Selected(HWND list) { return int(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }

std::wstring SelectedText(HWND list) {
  const int item = Selected(list);
  return item < 0 ? L"" : ListTexts(list)[size_t(item)];
}

std::vector<bool> Checks(HWND list) {
  std::vector<bool> checks;
  const int count = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const UINT state = UINT(SendMessageW(list, LVM_GETITEMSTATE, WPARAM(i), LVIS_STATEIMAGEMASK));
    checks.push_back((state >> 12) == 2);
  }
  return checks;
}

void SetCheck(HWND list, int item, bool check) {
  LVITEMW it{};
  it.stateMask = LVIS_STATEIMAGEMASK;
  it.state = INDEXTOSTATEIMAGEMASK(check ? 2 : 1);
  SendMessageW(list, LVM_SETITEMSTATE, WPARAM(item), LPARAM(&it));
}

// A left click on an item, as the mouse gives it: the list view selects the item and
// tells its parent (NM_CLICK).
void ClickItem(HWND list, int item, bool twice = false) {
  RECT r{};
  r.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, WPARAM(item), LPARAM(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  if (twice) {
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
  }
  Pump(50);
}

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

void Click(HWND page, int id) {
  SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0);
  Pump(50);
}

// The Have Disk file dialog, answered from a timer inside its modal loop: the path
// typed into the file-name field and confirmed, or Cancel for an empty path.
std::wstring g_fileToChoose;
HWND g_sheetWindow = nullptr;
bool g_fileDialogSeen = false;

BOOL CALLBACK FindFileDialog(HWND window, LPARAM found) {
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  if (window != g_sheetWindow && IsWindowVisible(window) && std::wstring(cls) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK AnswerFileDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindFileDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  KillTimer(nullptr, timer);
  g_fileDialogSeen = true;
  if (g_fileToChoose.empty()) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  SendMessageW(dialog, CDM_SETCONTROLTEXT, 0x47c, reinterpret_cast<LPARAM>(g_fileToChoose.c_str()));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

// Gives the test access to the records the sheet hands to the system.
class TestSheet : public CTWKSheet {
public:
  using CTWKSheet::CTWKSheet;
  const PROPSHEETPAGEW& Record(int position) const {
    return *reinterpret_cast<const PROPSHEETPAGEW*>(&m_pageRecords[size_t(position) * kPageRecordSize]);
  }
};

class Pages : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitSockets());
    TheApp().InitApplication(GetModuleHandleW(nullptr));
    TheApp().SetRegistryKey(L"TAVIK");
  }
  void SetUp() override {
    DeleteFileW(GetTextFilePath());
    TheState() = InstallerState();
    g_boxes.clear();
    g_messageBox = &RecordBox;
    watermark_ = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WATERMARK), IMAGE_BITMAP, 0, 0, 0));
    header_ = LoadHeaderBitmap(GetModuleHandleW(nullptr), pixels_);
    ASSERT_TRUE(control_.connected());
    Configure(kServersConfig);
  }
  void TearDown() override {
    Close();
    g_messageBox = &MessageBoxW;
    DeleteObject(header_);
    DeleteObject(watermark_);
  }
  void Configure(const std::string& json) {
    ASSERT_EQ(control_.Command("{\"cmd\":\"config\"," + json + "}"), "ok");
  }
  void Open() {
    sheet_ = new TestSheet(L"Tarnwick", watermark_, header_);
    TheApp().m_pMainWnd = sheet_;
    ASSERT_TRUE(sheet_->Create());
    g_sheetWindow = sheet_->m_hWnd;
    ShowWindow(sheet_->m_hWnd, SW_SHOW);
    Pump();
  }
  void Close() {
    if (sheet_) {
      if (sheet_->m_hWnd) DestroyWindow(sheet_->m_hWnd);
      Pump(50);
      delete sheet_;
      sheet_ = nullptr;
    }
    TheApp().m_pMainWnd = nullptr;
  }
  // The start-up discovery as the program starts it; answers its handle.
  HANDLE StartDiscovery() {
    auto* share = new std::shared_ptr<PrintServerList>(TheState().threadServers);
    HANDLE thread = CreateThread(nullptr, 0, &DiscoveryThread, share, 0, nullptr);
    if (!thread) delete share;
    TheState().discoveryThread = thread;
    return thread;
  }
  HWND Sheet() const { return sheet_->m_hWnd; }
  HWND Page() const { return reinterpret_cast<HWND>(SendMessageW(Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0)); }
  HWND Item(int id) const { return GetDlgItem(Page(), id); }
  UINT PageId() const {
    CPropertyPage* page = sheet_->GetActivePage();
    return page ? page->GetTemplateId() : 0;
  }
  bool Enabled(int button) const { return IsWindowEnabled(GetDlgItem(Sheet(), button)) != FALSE; }
  void Press(int button, int ms = 150) {
    SendMessageW(Sheet(), PSM_PRESSBUTTON, WPARAM(button), 0);
    Pump(ms);
  }
  void Type(int id, const std::wstring& text) {
    SetWindowTextW(Item(id), text.c_str());
    Pump(30);
  }
  // Shows the page at `position` as the page before it would lead there: the history
  // as given.
  void ShowPosition(int position, const PageHistory& history) {
    TheState().pageHistory = history;
    SendMessageW(Sheet(), PSM_SETCURSEL, WPARAM(position), 0);
    Pump();
  }
  // Exactly one message box since the last call, owned by the page: its text.
  std::wstring OneBox() {
    EXPECT_EQ(g_boxes.size(), 1u);
    if (g_boxes.empty()) return L"";
    Box box = g_boxes.back();
    g_boxes.clear();
    EXPECT_EQ(GetAncestor(box.owner, GA_ROOT), Sheet());
    return box.text;
  }
  // Have Disk with the file dialog answered by `path` (empty: Cancel).
  void HaveDisk(const std::wstring& path) {
    g_fileToChoose = path;
    g_fileDialogSeen = false;
    SetTimer(nullptr, 0, 100, AnswerFileDialog);
    PostMessageW(Item(IDC_LISTMODEL_HAVEDISK), BM_CLICK, 0, 0);
    Pump(1500);
    EXPECT_TRUE(g_fileDialogSeen);
  }
  void Shot(const char* name) {
    Screenshot(Sheet(), std::string(sizeof(void*) == 8 ? "x64-" : "x86-") + name);
  }

  PrintServerControl control_;
  HBITMAP watermark_ = nullptr, header_ = nullptr;
  std::vector<uint8_t> pixels_;
  TestSheet* sheet_ = nullptr;
};

TEST_F(Pages, NewOrBasedKeepsItsChoiceAndLeadsByIt) {
  Open();
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NEWOLD));
  EXPECT_TRUE(Checked(Page(), IDC_NEWOLD_FROMDISK));
  EXPECT_FALSE(Checked(Page(), IDC_NEWOLD_BASED));
  Click(Page(), IDC_NEWOLD_BASED);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTPRINTER));
  EXPECT_EQ(TheState().radioDriverOrigin, IDC_NEWOLD_BASED);
  EXPECT_TRUE(TheState().basedMode);
  EXPECT_EQ(TheState().pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD}));
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_NEWOLD));
  EXPECT_TRUE(Checked(Page(), IDC_NEWOLD_BASED));
  EXPECT_EQ(TheState().pageHistory, PageHistory({IDD_WELCOME}));
  // Back stores the choice too; the Welcome page and Next show it again.
  Click(Page(), IDC_NEWOLD_FROMDISK);
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_WELCOME));
  EXPECT_EQ(TheState().radioDriverOrigin, IDC_NEWOLD_FROMDISK);
  EXPECT_FALSE(TheState().basedMode);
  EXPECT_TRUE(TheState().pageHistory.empty());
  Press(PSBTN_NEXT);
  EXPECT_TRUE(Checked(Page(), IDC_NEWOLD_FROMDISK));
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_FALSE(TheState().basedMode);
}

TEST_F(Pages, FromDiskThroughSearchQueuesAndModel) {
  // The start-up discovery has ended before the page is shown.
  HANDLE thread = StartDiscovery();
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, 30000), WAIT_OBJECT_0);
  Open();
  // Finish only on the Complete page, along the road of a driver from disk.
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(Sheet(), kFinish)) && Enabled(kFinish));
  Press(PSBTN_NEXT);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(Sheet(), kFinish)) && Enabled(kFinish));
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(Sheet(), kFinish)) && Enabled(kFinish));

  // The thread's servers, sorted by display name, with their addresses.
  EXPECT_EQ(TheState().discoveryThread, nullptr);
  EXPECT_THAT(ListTexts(Item(IDC_NETSEARCH_SERVERS)), ElementsAre(L"Kilo RIP", L"Sierra RIP"));
  EXPECT_THAT(ListTexts(Item(IDC_NETSEARCH_SERVERS), 1), ElementsAre(L"127.0.0.3", L"127.0.0.2"));
  EXPECT_TRUE(Checked(Page(), IDC_NETSEARCH_FOUND));
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_NETSEARCH_SEARCH)));
  Shot("page11-found");

  // Search finds them again.
  Click(Page(), IDC_NETSEARCH_SEARCH);
  EXPECT_THAT(ListTexts(Item(IDC_NETSEARCH_SERVERS)), ElementsAre(L"Kilo RIP", L"Sierra RIP"));
  EXPECT_THAT(ListTexts(Item(IDC_NETSEARCH_SERVERS), 1), ElementsAre(L"127.0.0.3", L"127.0.0.2"));

  // A typed name: the focus entering the field chooses it.
  Type(IDC_NETSEARCH_NAME, L"  Alpha.Test \t");
  SetFocus(Item(IDC_NETSEARCH_NAME));
  Pump(50);
  EXPECT_TRUE(Checked(Page(), IDC_NETSEARCH_TYPED));
  EXPECT_FALSE(Checked(Page(), IDC_NETSEARCH_FOUND));
  Press(PSBTN_NEXT, 300);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  EXPECT_TRUE(g_boxes.empty());
  const InstallerState& state = TheState();
  EXPECT_EQ(Narrow(state.serverHostName), "Alpha.Test");  // as typed, not as resolved
  EXPECT_EQ(Narrow(state.serverAddress), "127.0.0.2");
  EXPECT_EQ(Narrow(state.printServerName), "Sierra RIP");
  EXPECT_TRUE(state.serverAnswered);
  EXPECT_EQ(state.radioServerSearch, IDC_NETSEARCH_TYPED);
  EXPECT_EQ(Narrow(state.typedServerName), "  Alpha.Test \t");
  EXPECT_EQ(state.pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH}));

  // The queues, all checked; the name field only in based mode.
  EXPECT_THAT(ListTexts(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(L"Hold", L"Normal", L"Colour", L"Mono"));
  EXPECT_THAT(Checks(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(true, true, true, true));
  EXPECT_TRUE(Checked(Page(), IDC_LISTQUEUES_CHECKED));
  EXPECT_FALSE(IsWindowVisible(Item(IDC_LISTQUEUES_NAME)));
  EXPECT_FALSE(IsWindowVisible(Item(IDC_LISTQUEUES_NAME_LABEL)));
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_LISTQUEUES_INTERNET)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(Sheet(), kFinish)) && Enabled(kFinish));
  Shot("page12-queues");

  // Unselect all, then Next: refused.
  Click(Page(), IDC_LISTQUEUES_UNSELECTALL);
  EXPECT_THAT(Checks(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(false, false, false, false));
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  EXPECT_EQ(OneBox(), L"Please select a queue to install.");
  EXPECT_EQ(state.pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH}));
  Click(Page(), IDC_LISTQUEUES_SELECTALL);
  EXPECT_THAT(Checks(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(true, true, true, true));

  // Two queues as Internet printers, to the model page.
  SetCheck(Item(IDC_LISTQUEUES_QUEUES), 0, false);
  SetCheck(Item(IDC_LISTQUEUES_QUEUES), 1, false);
  Click(Page(), IDC_LISTQUEUES_INTERNET);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  EXPECT_THAT(Strings(state.queueList), ElementsAre("Colour", "Mono"));
  EXPECT_TRUE(state.internetPrinter);
  EXPECT_FALSE(state.singlePortMode);
  EXPECT_EQ(state.radioQueues, IDC_LISTQUEUES_CHECKED);
  EXPECT_EQ(state.pageHistory,
            PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH, IDD_LISTQUEUES}));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(Sheet(), kFinish)) && Enabled(kFinish));

  // The model page: nothing until Have Disk; the server's name proposed.
  EXPECT_EQ(Text(Item(IDC_LISTMODEL_NAME)), L"Sierra RIP");
  EXPECT_TRUE(ListTexts(Item(IDC_LISTMODEL_MANUFACTURERS)).empty());
  Press(PSBTN_NEXT);
  EXPECT_EQ(OneBox(), L"Please select a printer model you want to use.");
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));

  // Back: only the two queues, both checked.
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  EXPECT_THAT(ListTexts(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(L"Colour", L"Mono"));
  EXPECT_THAT(Checks(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(true, true));
  EXPECT_EQ(state.pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH}));

  // Back to the search page, its choices shown again; Next lists all queues again.
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_TRUE(Checked(Page(), IDC_NETSEARCH_TYPED));
  EXPECT_EQ(Text(Item(IDC_NETSEARCH_NAME)), L"  Alpha.Test \t");
  EXPECT_THAT(ListTexts(Item(IDC_NETSEARCH_SERVERS)), ElementsAre(L"Kilo RIP", L"Sierra RIP"));
  EXPECT_EQ(state.pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD}));
  Press(PSBTN_NEXT, 300);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  EXPECT_THAT(ListTexts(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(L"Hold", L"Normal", L"Colour", L"Mono"));
  EXPECT_THAT(Checks(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(true, true, true, true));

  // On to the Complete page with a model of the test package.
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  HaveDisk(Fixture("tvmodels.inf"));
  const int tavik = FindText(Item(IDC_LISTMODEL_MANUFACTURERS), L"Tavik");
  ASSERT_GE(tavik, 0);
  ClickItem(Item(IDC_LISTMODEL_MANUFACTURERS), tavik);
  EXPECT_EQ(SelectedText(Item(IDC_LISTMODEL_MANUFACTURERS)), L"Tavik");
  ClickItem(Item(IDC_LISTMODEL_MODELS), FindText(Item(IDC_LISTMODEL_MODELS), L"Tavik Colour PS"));
  EXPECT_EQ(Text(Item(IDC_LISTMODEL_NAME)), L"Sierra RIP");  // not a single port: no model name
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_COMPLETE));
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_TRUE(sheet_->Record(8).dwFlags & PSP_HIDEHEADER);
  EXPECT_TRUE(Enabled(kFinish));
  EXPECT_EQ(Text(GetDlgItem(Page(), IDC_COMPLETE_HEADING)), L"Completing the Tarnwick");
  EXPECT_EQ(state.pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH,
                                            IDD_LISTQUEUES, IDD_LISTMODEL}));
  EXPECT_EQ(Narrow(state.driverName), "Tavik Colour PS");
  EXPECT_EQ(Narrow(state.printerName), "Sierra RIP");
}


TEST_F(Pages, SearchPageRefusalsShowTheirMessageAndStay) {
  Open();
  Press(PSBTN_NEXT);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  const PageHistory history({IDD_WELCOME, IDD_NEWOLD});
  // No start-up discovery here: the list is empty, nothing selected.
  EXPECT_TRUE(ListTexts(Item(IDC_NETSEARCH_SERVERS)).empty());
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_EQ(OneBox(), L"Please select a printer you want to use.");
  EXPECT_EQ(TheState().pageHistory, history);

  // An empty typed name, also one of blanks only.
  for (const wchar_t* typed : {L"", L"   "}) {
    Type(IDC_NETSEARCH_NAME, typed);
    SetFocus(Item(IDC_NETSEARCH_NAME));
    Pump(30);
    ASSERT_TRUE(Checked(Page(), IDC_NETSEARCH_TYPED));
    Press(PSBTN_NEXT);
    ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
    EXPECT_EQ(OneBox(),
              L"Please specify the network name or IP address of the printer you want to use.");
    EXPECT_EQ(GetFocus(), Item(IDC_NETSEARCH_NAME));
  }

  // A typed address with nothing on port 80: the text selected for typing over.
  Type(IDC_NETSEARCH_NAME, L"127.0.0.9");
  Press(PSBTN_NEXT, 300);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_EQ(OneBox(), L"Could not connect to the printer.");
  DWORD start = 1, end = 0;
  SendMessageW(Item(IDC_NETSEARCH_NAME), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 9u);
  EXPECT_EQ(GetFocus(), Item(IDC_NETSEARCH_NAME));
  EXPECT_FALSE(TheState().serverAnswered);
  EXPECT_EQ(TheState().pageHistory, history);

  // A Search that finds nothing: "No printers found", which is no server.
  Configure(R"("udp": [], "hosts": {})");
  Click(Page(), IDC_NETSEARCH_SEARCH);
  EXPECT_TRUE(Checked(Page(), IDC_NETSEARCH_FOUND));
  EXPECT_THAT(ListTexts(Item(IDC_NETSEARCH_SERVERS)), ElementsAre(L"No printers found"));
  ClickItem(Item(IDC_NETSEARCH_SERVERS), 0);
  EXPECT_EQ(Selected(Item(IDC_NETSEARCH_SERVERS)), 0);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_EQ(OneBox(), L"Please select a printer you want to use.");
  EXPECT_EQ(TheState().pageHistory, history);
  Shot("page11-nothing-found");
}

TEST_F(Pages, FoundServerIsChosenByClickReselectedAndDoubleClickGoesOn) {
  Open();
  Press(PSBTN_NEXT);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  Click(Page(), IDC_NETSEARCH_SEARCH);
  ASSERT_THAT(ListTexts(Item(IDC_NETSEARCH_SERVERS)), ElementsAre(L"Kilo RIP", L"Sierra RIP"));

  // A click in the list chooses the found-server radio again.
  CheckRadioButton(Page(), IDC_NETSEARCH_FOUND, IDC_NETSEARCH_OTHER, IDC_NETSEARCH_OTHER);
  ClickItem(Item(IDC_NETSEARCH_SERVERS), 0);
  EXPECT_TRUE(Checked(Page(), IDC_NETSEARCH_FOUND));
  Press(PSBTN_NEXT, 300);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  const InstallerState& state = TheState();
  EXPECT_EQ(Narrow(state.chosenServerAddress), "127.0.0.3");
  EXPECT_EQ(Narrow(state.serverHostName), "bravo.test");
  EXPECT_EQ(Narrow(state.serverAddress), "127.0.0.3");
  EXPECT_EQ(Narrow(state.printServerName), "Kilo RIP");
  EXPECT_THAT(Strings(state.queueList), ElementsAre("Hold", "Normal", "Proof"));
  EXPECT_THAT(ListTexts(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(L"Hold", L"Normal", L"Proof"));

  // Back: the chosen server is selected again.
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_EQ(Selected(Item(IDC_NETSEARCH_SERVERS)), 0);
  EXPECT_TRUE(Checked(Page(), IDC_NETSEARCH_FOUND));

  // A double click on the other server goes on as Next does.
  ClickItem(Item(IDC_NETSEARCH_SERVERS), 1, true);
  Pump(500);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  EXPECT_EQ(Narrow(state.printServerName), "Sierra RIP");
  EXPECT_THAT(ListTexts(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(L"Hold", L"Normal", L"Colour", L"Mono"));
  EXPECT_EQ(state.pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH}));

  // Other connection: to page 8, the queues untouched.
  Press(PSBTN_BACK);
  Click(Page(), IDC_NETSEARCH_OTHER);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_OTHERPORT));
  EXPECT_EQ(state.radioServerSearch, IDC_NETSEARCH_OTHER);
  EXPECT_THAT(Strings(state.queueList), ElementsAre("Hold", "Normal", "Colour", "Mono"));
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_TRUE(Checked(Page(), IDC_NETSEARCH_OTHER));
}

// A stand-in for the start-up discovery that ends when told to, with one server.
HANDLE g_release = nullptr;
DWORD WINAPI SlowDiscovery(LPVOID) {
  WaitForSingleObject(g_release, 60000);
  PrintServer server;
  server.displayName = u"Late RIP";
  server.hostName = u"alpha.test";
  server.ipAddress = u"127.0.0.2";
  server.queueNames = {u"Hold", u"Normal"};
  TheState().threadServers->push_back(server);
  return 0;
}

TEST_F(Pages, StartupDiscoveryStillRunningIsWaitedForAgainAtTheNextVisit) {
  g_release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, &SlowDiscovery, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  TheState().discoveryThread = thread;
  Open();
  Press(PSBTN_NEXT);
  const double start = Seconds();
  Press(PSBTN_NEXT, 50);
  const double waited = Seconds() - start;
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_GE(waited, 3.3);
  EXPECT_LT(waited, 8.0);
  EXPECT_TRUE(ListTexts(Item(IDC_NETSEARCH_SERVERS)).empty());
  EXPECT_EQ(TheState().discoveryThread, thread);  // waited for again next time
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_NETSEARCH_SEARCH)));

  SetEvent(g_release);
  ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
  Press(PSBTN_BACK);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_THAT(ListTexts(Item(IDC_NETSEARCH_SERVERS)), ElementsAre(L"Late RIP"));
  EXPECT_EQ(TheState().discoveryThread, nullptr);

  // What the page's own Search found is not replaced by the thread's list.
  TheState().discoveryThread = thread;  // ended: no wait
  Click(Page(), IDC_NETSEARCH_SEARCH);
  Press(PSBTN_BACK);
  Press(PSBTN_NEXT);
  EXPECT_THAT(ListTexts(Item(IDC_NETSEARCH_SERVERS)), ElementsAre(L"Kilo RIP", L"Sierra RIP"));
  CloseHandle(thread);
  CloseHandle(g_release);
}

TEST_F(Pages, QueuePageOtherConnectionAndTheInternetOption) {
  Open();
  Press(PSBTN_NEXT);
  Press(PSBTN_NEXT);
  Type(IDC_NETSEARCH_NAME, L"bravo");
  SetFocus(Item(IDC_NETSEARCH_NAME));
  Press(PSBTN_NEXT, 300);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  EXPECT_EQ(Narrow(TheState().serverHostName), "bravo");
  Click(Page(), IDC_LISTQUEUES_INTERNET);
  EXPECT_TRUE(Checked(Page(), IDC_LISTQUEUES_INTERNET));
  // "Other Connection" clears and disables the option; Select all leaves it so.
  Click(Page(), IDC_LISTQUEUES_OTHER);
  EXPECT_FALSE(Checked(Page(), IDC_LISTQUEUES_INTERNET));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_LISTQUEUES_INTERNET)));
  Click(Page(), IDC_LISTQUEUES_UNSELECTALL);
  EXPECT_TRUE(Checked(Page(), IDC_LISTQUEUES_CHECKED));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_LISTQUEUES_INTERNET)));
  Click(Page(), IDC_LISTQUEUES_OTHER);
  // Nothing checked passes with the other connection; the queues stay as they were.
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_OTHERPORT));
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(TheState().radioQueues, IDC_LISTQUEUES_OTHER);
  EXPECT_FALSE(TheState().internetPrinter);
  EXPECT_THAT(Strings(TheState().queueList), ElementsAre("Hold", "Normal", "Proof"));
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  EXPECT_TRUE(Checked(Page(), IDC_LISTQUEUES_OTHER));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_LISTQUEUES_INTERNET)));
  // A click in the list is the queues choice again; radio 1067 gives the option back.
  ClickItem(Item(IDC_LISTQUEUES_QUEUES), 0);
  EXPECT_TRUE(Checked(Page(), IDC_LISTQUEUES_CHECKED));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_LISTQUEUES_INTERNET)));
  Click(Page(), IDC_LISTQUEUES_CHECKED);
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_LISTQUEUES_INTERNET)));
}

TEST_F(Pages, AServerWithThousandsOfQueuesIsListedPromptly) {
  std::string names;
  for (int i = 0; i < 3000; ++i) names += "<name>Queue " + std::to_string(i) + "</name>";
  Configure(R"("hosts": {"127.0.0.2": {"queues": {"body": "<queues><queue>)" + names +
            R"(</queue></queues>"}}})");
  Open();
  Press(PSBTN_NEXT);
  Press(PSBTN_NEXT);
  Type(IDC_NETSEARCH_NAME, L"127.0.0.2");
  SetFocus(Item(IDC_NETSEARCH_NAME));
  const double start = Seconds();
  Press(PSBTN_NEXT, 300);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  EXPECT_LT(Seconds() - start, 30.0);
  const std::vector<bool> checks = Checks(Item(IDC_LISTQUEUES_QUEUES));
  EXPECT_EQ(checks.size(), 3002u);
  EXPECT_EQ(std::count(checks.begin(), checks.end(), true), 3002);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  EXPECT_EQ(TheState().queueList.GetCount(), 3002);
}

TEST_F(Pages, BasedModeQueuePageTakesTheNameAndLeadsToTheCompletePage) {
  Open();
  Press(PSBTN_NEXT);
  Click(Page(), IDC_NEWOLD_BASED);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTPRINTER));
  // What the installed-printer page leaves when the printer's server answered.
  InstallerState& state = TheState();
  state.printServerName = L"alpha.test";
  state.serverHostName = L"alpha.test";
  state.serverAnswered = true;
  state.installedPrinter.driverName = L"Tavik Based PS";
  state.installedPrinter.printerName = L"Office Laser";
  state.installedPrinter.port = L"\\\\alpha.test\\Colour";
  state.queueList.RemoveAll();
  for (const wchar_t* q : {L"Hold", L"Normal", L"Colour"}) state.queueList.AddTail(q);
  ShowPosition(3, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_LISTPRINTER}));
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));

  EXPECT_TRUE(IsWindowVisible(Item(IDC_LISTQUEUES_NAME)));
  EXPECT_TRUE(IsWindowVisible(Item(IDC_LISTQUEUES_NAME_LABEL)));
  EXPECT_EQ(Text(Item(IDC_LISTQUEUES_NAME)), L"alpha.test");
  EXPECT_EQ(SendMessageW(Item(IDC_LISTQUEUES_NAME), EM_GETLIMITTEXT, 0, 0), 220);
  Shot("page12-based");

  // The name checks, after the queue check; a name set by text past the limit too.
  for (const NameRefusal& c : kNameRefusals) {
    Type(IDC_LISTQUEUES_NAME, c.name);
    Press(PSBTN_NEXT);
    ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
    EXPECT_EQ(OneBox(), c.message);
    EXPECT_EQ(GetFocus(), Item(IDC_LISTQUEUES_NAME));
    EXPECT_EQ(Narrow(state.typedPrinterName), Narrow(CString(c.name.c_str())));  // stored anyway
  }
  Click(Page(), IDC_LISTQUEUES_UNSELECTALL);
  Type(IDC_LISTQUEUES_NAME, L"");
  Press(PSBTN_NEXT);
  EXPECT_EQ(OneBox(), L"Please select a queue to install.");  // the queue check first
  Click(Page(), IDC_LISTQUEUES_SELECTALL);
  SetCheck(Item(IDC_LISTQUEUES_QUEUES), 0, false);

  Type(IDC_LISTQUEUES_NAME, std::wstring(220, L'n'));
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_COMPLETE));
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(state.printerName.GetLength(), 220);
  EXPECT_EQ(Narrow(state.driverName), "Tavik Based PS");
  EXPECT_THAT(Strings(state.queueList), ElementsAre("Normal", "Colour"));
  EXPECT_EQ(state.pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_LISTPRINTER, IDD_LISTQUEUES}));

  // Back: the name typed before comes first.
  Type(IDC_LISTQUEUES_NAME, L"");
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  EXPECT_EQ(Text(Item(IDC_LISTQUEUES_NAME)).size(), 220u);
  EXPECT_THAT(ListTexts(Item(IDC_LISTQUEUES_QUEUES)), ElementsAre(L"Normal", L"Colour"));
  EXPECT_EQ(state.pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_LISTPRINTER}));
}

// Registers a driver under `name` as an installed one (the spooler wants its files in
// the driver directory first).
bool InstallDummyDriver(const wchar_t* name) {
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) {
    return false;
  }
  for (const wchar_t* file : {L"\\tvdrv.dll", L"\\tvcfg.dll", L"\\tvmodels.ppd"}) {
    HANDLE h = CreateFileW((std::wstring(dir) + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(h, "x", 1, &written, nullptr);
    CloseHandle(h);
  }
  DRIVER_INFO_3W info{};
  info.cVersion = 3;
  info.pName = const_cast<LPWSTR>(name);
  info.pDriverPath = const_cast<LPWSTR>(L"tvdrv.dll");
  info.pDataFile = const_cast<LPWSTR>(L"tvmodels.ppd");
  info.pConfigFile = const_cast<LPWSTR>(L"tvcfg.dll");
  return AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&info)) != FALSE;
}

std::wstring ProfileInfFile() {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\TAVIK\\Tarnwick\\Directories", L"INFFile",
                   RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return L"";
  }
  return value;
}

class ModelPage : public Pages {
protected:
  // The model page as the queue page leads to it, with queues of "Sierra RIP".
  void ShowModelPage() {
    InstallerState& state = TheState();
    state.printServerName = L"Sierra RIP";
    state.radioServerSearch = IDC_NETSEARCH_FOUND;
    state.radioQueues = IDC_LISTQUEUES_CHECKED;
    state.queueList.RemoveAll();
    for (const wchar_t* q : {L"Colour", L"Mono"}) state.queueList.AddTail(q);
    ShowPosition(5, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH, IDD_LISTQUEUES}));
    ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  }
};

TEST_F(ModelPage, HaveDiskListsTheDecoratedModelsAndTheProfileKeepsThePackage) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TAVIK");
  Open();
  ShowModelPage();
  EXPECT_TRUE(ListTexts(Item(IDC_LISTMODEL_MANUFACTURERS)).empty());
  EXPECT_TRUE(ListTexts(Item(IDC_LISTMODEL_MODELS)).empty());
  EXPECT_EQ(Text(Item(IDC_LISTMODEL_NAME)), L"Sierra RIP");
  EXPECT_EQ(SendMessageW(Item(IDC_LISTMODEL_NAME), EM_GETLIMITTEXT, 0, 0), 220);

  // Cancel changes nothing.
  HaveDisk(L"");
  EXPECT_TRUE(ListTexts(Item(IDC_LISTMODEL_MANUFACTURERS)).empty());
  EXPECT_EQ(ProfileInfFile(), L"");

  HaveDisk(Fixture("tvmodels.inf"));
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(ProfileInfFile(), Fixture("tvmodels.inf"));
  EXPECT_EQ(Narrow(TheState().infPath), Narrow(CString(Fixture("tvmodels.inf").c_str())));
  // Sorted by the list; a manufacturer listed twice stays twice.
  EXPECT_THAT(ListTexts(Item(IDC_LISTMODEL_MANUFACTURERS)), ElementsAre(L"Acme", L"Acme", L"Gamma", L"Tavik", L"Zeta"));
  EXPECT_EQ(Selected(Item(IDC_LISTMODEL_MANUFACTURERS)), 0);
  EXPECT_THAT(ListTexts(Item(IDC_LISTMODEL_MODELS)), ElementsAre(L"Acme One", L"Acme Two"));
  EXPECT_EQ(Selected(Item(IDC_LISTMODEL_MODELS)), 0);
  EXPECT_EQ(Narrow(TheState().chosenModelsSection), "Acme");

  // The decorated manufacturer takes its models from its ".NTamd64" section, where a
  // model listed twice is listed once and one differing in case stays.
  ClickItem(Item(IDC_LISTMODEL_MANUFACTURERS), 3);
  EXPECT_EQ(Narrow(TheState().chosenModelsSection), "Tavik.NTamd64");
  std::vector<std::wstring> models = ListTexts(Item(IDC_LISTMODEL_MODELS));
  std::sort(models.begin(), models.end());
  EXPECT_THAT(models, ElementsAre(L"Tavik Colour PS", L"Tavik Test PS", L"tavik test ps"));
  EXPECT_EQ(Selected(Item(IDC_LISTMODEL_MODELS)), 0);
  // The keyboard chooses a manufacturer too: its models are listed.
  SetFocus(Item(IDC_LISTMODEL_MANUFACTURERS));
  SendMessageW(Item(IDC_LISTMODEL_MANUFACTURERS), WM_KEYDOWN, VK_UP, 0);
  SendMessageW(Item(IDC_LISTMODEL_MANUFACTURERS), WM_KEYUP, VK_UP, 0);
  Pump(50);
  EXPECT_EQ(Selected(Item(IDC_LISTMODEL_MANUFACTURERS)), 2);
  EXPECT_EQ(Narrow(TheState().chosenModelsSection), "Gamma.NTamd64");
  EXPECT_TRUE(ListTexts(Item(IDC_LISTMODEL_MODELS)).empty());
  SendMessageW(Item(IDC_LISTMODEL_MANUFACTURERS), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(Item(IDC_LISTMODEL_MANUFACTURERS), WM_KEYUP, VK_DOWN, 0);
  Pump(50);
  EXPECT_EQ(Narrow(TheState().chosenModelsSection), "Tavik.NTamd64");
  EXPECT_EQ(ListTexts(Item(IDC_LISTMODEL_MODELS)).size(), 3u);
  // A decoration for another platform is none; a missing decorated section lists nothing.
  ClickItem(Item(IDC_LISTMODEL_MANUFACTURERS), 4);
  EXPECT_THAT(ListTexts(Item(IDC_LISTMODEL_MODELS)), ElementsAre(L"Zeta Laser"));
  ClickItem(Item(IDC_LISTMODEL_MANUFACTURERS), 2);
  EXPECT_EQ(Narrow(TheState().chosenModelsSection), "Gamma.NTamd64");
  EXPECT_TRUE(ListTexts(Item(IDC_LISTMODEL_MODELS)).empty());
  Shot("page09-gamma");

  // Back stores the choice; coming back reselects it, decorated too.
  ClickItem(Item(IDC_LISTMODEL_MANUFACTURERS), 3);
  ClickItem(Item(IDC_LISTMODEL_MODELS), FindText(Item(IDC_LISTMODEL_MODELS), L"Tavik Test PS"));
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_LISTQUEUES));
  EXPECT_EQ(Narrow(TheState().chosenModel), "Tavik Test PS");
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  EXPECT_EQ(SelectedText(Item(IDC_LISTMODEL_MANUFACTURERS)), L"Tavik");
  EXPECT_EQ(SelectedText(Item(IDC_LISTMODEL_MODELS)), L"Tavik Test PS");

  // A new run: a fresh state, the package reloaded from the profile.
  Close();
  TheState() = InstallerState();
  Open();
  ShowModelPage();
  EXPECT_THAT(ListTexts(Item(IDC_LISTMODEL_MANUFACTURERS)), ElementsAre(L"Acme", L"Acme", L"Gamma", L"Tavik", L"Zeta"));
  EXPECT_EQ(Selected(Item(IDC_LISTMODEL_MANUFACTURERS)), 0);
  EXPECT_THAT(ListTexts(Item(IDC_LISTMODEL_MODELS)), ElementsAre(L"Acme One", L"Acme Two"));
  EXPECT_EQ(Selected(Item(IDC_LISTMODEL_MODELS)), 0);
  EXPECT_EQ(Narrow(TheState().infPath), Narrow(CString(Fixture("tvmodels.inf").c_str())));
}

TEST_F(ModelPage, AFileThatIsNoUsableInfIsReportedAndRemembered) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TAVIK");
  Open();
  ShowModelPage();
  HaveDisk(Fixture("tvmodels.inf"));
  ClickItem(Item(IDC_LISTMODEL_MANUFACTURERS), 4);
  ASSERT_THAT(ListTexts(Item(IDC_LISTMODEL_MODELS)), ElementsAre(L"Zeta Laser"));

  HaveDisk(Fixture("notaninf.inf"));
  EXPECT_EQ(OneBox(), L"Could not open specified file.");
  EXPECT_TRUE(ListTexts(Item(IDC_LISTMODEL_MANUFACTURERS)).empty());
  EXPECT_THAT(ListTexts(Item(IDC_LISTMODEL_MODELS)), ElementsAre(L"Zeta Laser"));  // unchanged
  EXPECT_EQ(ProfileInfFile(), Fixture("notaninf.inf"));

  // Every visit tells again; a profile naming a missing file shows nothing.
  Press(PSBTN_BACK);
  ShowModelPage();
  EXPECT_EQ(OneBox(), L"Could not open specified file.");
  EXPECT_TRUE(ListTexts(Item(IDC_LISTMODEL_MANUFACTURERS)).empty());
  TheApp().WriteProfileString(L"Directories", L"INFFile", L"Z:\\nowhere\\missing.inf");
  Press(PSBTN_BACK);
  ShowModelPage();
  EXPECT_TRUE(g_boxes.empty());
  TheApp().WriteProfileString(L"Directories", L"INFFile", std::wstring(5000, L'x').c_str());
  Press(PSBTN_BACK);
  ShowModelPage();
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(ModelPage, NextChecksTheNameAndFindsAnInstalledDriverByItsExactName) {
  ASSERT_TRUE(InstallDummyDriver(L"Tavik Test PS"));
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TAVIK");
  Open();
  ShowModelPage();
  const PageHistory history = TheState().pageHistory;
  HaveDisk(Fixture("tvmodels.inf"));
  ClickItem(Item(IDC_LISTMODEL_MANUFACTURERS), 3);
  ClickItem(Item(IDC_LISTMODEL_MODELS), FindText(Item(IDC_LISTMODEL_MODELS), L"Tavik Test PS"));

  for (const NameRefusal& c : kNameRefusals) {
    Type(IDC_LISTMODEL_NAME, c.name);
    Press(PSBTN_NEXT);
    ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
    EXPECT_EQ(OneBox(), c.message);
    EXPECT_EQ(GetFocus(), Item(IDC_LISTMODEL_NAME));
    DWORD start = 1, end = 0;
    SendMessageW(Item(IDC_LISTMODEL_NAME), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, DWORD(c.name.size()));
    EXPECT_EQ(TheState().pageHistory, history);
    // The package is stored before the name is checked.
    EXPECT_EQ(Narrow(TheState().driverSource.modelName), "Tavik Test PS");
    EXPECT_EQ(Narrow(TheState().driverSource.modelsSection), "Tavik.NTamd64");
  }

  Type(IDC_LISTMODEL_NAME, L"Proof printer");
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_EXISTDRIVER));
  EXPECT_TRUE(TheState().driverInstalled);
  EXPECT_EQ(Narrow(TheState().driverName), "Tavik Test PS");
  EXPECT_EQ(Narrow(TheState().printerName), "Proof printer");
  EXPECT_EQ(Narrow(TheState().driverSource.infPath), Narrow(CString(Fixture("tvmodels.inf").c_str())));

  // The same name in other letter cases is another driver.
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  ClickItem(Item(IDC_LISTMODEL_MODELS), FindText(Item(IDC_LISTMODEL_MODELS), L"tavik test ps"));
  Type(IDC_LISTMODEL_NAME, L"Proof printer");
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_COMPLETE));
  EXPECT_FALSE(TheState().driverInstalled);
  EXPECT_EQ(Narrow(TheState().driverName), "tavik test ps");
}

// Writes an INF package of the given text to the temporary directory; answers its path.
std::wstring WriteTempInf(const wchar_t* name, const std::string& text) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + name;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return L"";
  DWORD written = 0;
  WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

TEST_F(ModelPage, AHugeOrOddPackageIsListedWithoutHarm) {
  // 3000 manufacturers, keys of 200 characters, lines without a key, and a models
  // section of 5000 lines that repeat 50 names.
  std::string text = "[Version]\r\nSignature = \"$Windows NT$\"\r\nClass = Printer\r\n[Manufacturer]\r\n";
  const std::string longKey(200, 'L');
  text += "\"" + longKey + "\" = LONG, NTamd64\r\n";
  text += "= NOKEY\r\n";
  for (int i = 0; i < 3000; ++i) text += "\"Maker " + std::to_string(i) + "\" = M\r\n";
  text += "\"Bulk\" = BULK\r\n[Bulk]\r\n";
  for (int i = 0; i < 5000; ++i) text += "\"Model " + std::to_string(i % 50) + "\" = X\r\n";
  text += "[" + longKey + ".NTamd64]\r\n\"" + longKey + "\" = X\r\n";
  const std::wstring path = WriteTempInf(L"tvhuge.inf", text);
  ASSERT_FALSE(path.empty());

  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TAVIK");
  Open();
  ShowModelPage();
  const double start = Seconds();
  HaveDisk(path);
  EXPECT_LT(Seconds() - start, 30.0);  // not minutes of redrawing

  EXPECT_TRUE(g_boxes.empty());
  // Every line with a key: the long one, the 3000 makers and Bulk. A line without a
  // key names no manufacturer.
  EXPECT_EQ(ListTexts(Item(IDC_LISTMODEL_MANUFACTURERS)).size(), 3002u);
  const int bulk = FindText(Item(IDC_LISTMODEL_MANUFACTURERS), L"Bulk");
  ASSERT_GE(bulk, 0);
  SendMessageW(Item(IDC_LISTMODEL_MANUFACTURERS), LVM_ENSUREVISIBLE, WPARAM(bulk), FALSE);
  ClickItem(Item(IDC_LISTMODEL_MANUFACTURERS), bulk);
  EXPECT_EQ(ListTexts(Item(IDC_LISTMODEL_MODELS)).size(), 50u);
  const int longOne = FindText(Item(IDC_LISTMODEL_MANUFACTURERS), std::wstring(200, L'L'));
  ASSERT_GE(longOne, 0);
  SendMessageW(Item(IDC_LISTMODEL_MANUFACTURERS), LVM_ENSUREVISIBLE, WPARAM(longOne), FALSE);
  ClickItem(Item(IDC_LISTMODEL_MANUFACTURERS), longOne);
  EXPECT_THAT(ListTexts(Item(IDC_LISTMODEL_MODELS)), ElementsAre(std::wstring(200, L'L')));
  DeleteFileW(path.c_str());

  // A key of 70000 characters whose models section cannot exist: listed, and Next
  // finds no model.
  const std::wstring tooLong = WriteTempInf(
      L"tvlongkey.inf", "[Version]\r\nSignature = \"$Windows NT$\"\r\n[Manufacturer]\r\n\"" +
                            std::string(70000, 'K') + "\" = K\r\n");
  HaveDisk(tooLong);
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(ListTexts(Item(IDC_LISTMODEL_MANUFACTURERS)).size(), 1u);
  EXPECT_TRUE(ListTexts(Item(IDC_LISTMODEL_MODELS)).empty());
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  EXPECT_EQ(OneBox(), L"Please select a printer model you want to use.");
  DeleteFileW(tooLong.c_str());
}

TEST_F(ModelPage, AfterAnOtherConnectionTheModelIsProposedAsTheName) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TAVIK");
  TheApp().WriteProfileString(L"Directories", L"INFFile", Fixture("tvmodels.inf").c_str());
  Open();
  // From the other-connection page: one printer on one port, no name stored.
  InstallerState& state = TheState();
  state.radioServerSearch = IDC_NETSEARCH_OTHER;
  state.singlePortMode = true;
  state.chosenModelsSection = L"Zeta";
  ShowPosition(5, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH, IDD_OTHERPORT}));
  ASSERT_EQ(PageId(), UINT(IDD_LISTMODEL));
  EXPECT_EQ(SelectedText(Item(IDC_LISTMODEL_MANUFACTURERS)), L"Zeta");
  EXPECT_EQ(Text(Item(IDC_LISTMODEL_NAME)), L"Zeta Laser");
  ClickItem(Item(IDC_LISTMODEL_MANUFACTURERS), 0);
  ClickItem(Item(IDC_LISTMODEL_MODELS), 1);
  EXPECT_EQ(Text(Item(IDC_LISTMODEL_NAME)), L"Acme Two");
  // A stored printer name comes first.
  Press(PSBTN_BACK);
  state.printerName = L"Front desk";
  ShowPosition(5, PageHistory({IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH, IDD_OTHERPORT}));
  EXPECT_EQ(Text(Item(IDC_LISTMODEL_NAME)), L"Front desk");
  EXPECT_EQ(SelectedText(Item(IDC_LISTMODEL_MODELS)), L"Acme Two");
}

}  // namespace
