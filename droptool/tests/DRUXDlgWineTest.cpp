// The main dialog in this process (modeless, so the test drives it between messages):
// the printer list and its refresh, drops, pastes, the list keys, Remove and Download
// on real Wine printers whose ports write each job to a file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <ole2.h>
#include <winspool.h>

#include <thread>

#include "AppTestKit.h"
#include "CMenu.h"
#include "DRUXApp.h"
#include "DRUXDlg.h"
#include "LocalPrinters.h"
#include "resource.h"

namespace {

using druxtest::CapturePrinter;
using ::testing::ElementsAre;

// Paths of the test files, made once.
struct Files {
  std::wstring dir, a, b, c, d, e, folder, toA, toFolder, notALink, cut, longName;
};

class MainDialog : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ::OleInitialize(nullptr);
    std::wstring error;
    ready_ = druxtest::AddPrinterCapturing(L"DRUX Zeta", L"DRUXZETA:", "zeta", &zeta_, &error) &&
             druxtest::AddPrinterCapturing(L"DRUX alpha", L"DRUXALPHA:", "alpha", &alpha_, &error);
    ready_ = ready_ && ::SetDefaultPrinterW(L"DRUX Zeta");
    setupError_ = error;
    wchar_t dir[64];
    std::swprintf(dir, 64, L"C:\\drux-dlg-%lu", ::GetCurrentProcessId());
    Files& f = files_;
    f.dir = dir;
    ::CreateDirectoryW(f.dir.c_str(), nullptr);
    f.a = f.dir + L"\\a.ps";
    f.b = f.dir + L"\\b.prn";
    f.c = f.dir + L"\\c.tif";
    f.d = f.dir + L"\\d.pdf";
    f.e = f.dir + L"\\e.ps";
    f.folder = f.dir + L"\\folder";
    f.toA = f.dir + L"\\to a.lnk";
    f.toFolder = f.dir + L"\\to folder.lnk";
    f.notALink = f.dir + L"\\broken.lnk";
    int i = 0;
    for (const auto& p : {f.a, f.b, f.c, f.d, f.e})
      druxtest::WriteFileBytes(p, {uint8_t('A' + i++), 0x00, 0x1A, 0x0D, 0x0A});
    ::CreateDirectoryW(f.folder.c_str(), nullptr);
    druxtest::MakeShortcut(f.toA, f.a);
    druxtest::MakeShortcut(f.toFolder, f.folder);
    druxtest::WriteFileBytes(f.notALink, {'n', 'o', 't', ' ', 'a', ' ', 'l', 'i', 'n', 'k'});
    // A file whose path is MAX_PATH - 1 characters long, and a longer dropped name that
    // begins with it: read at its own length, the longer name names no file.
    f.cut = f.dir + L"\\" + std::wstring(MAX_PATH - 2 - f.dir.size(), L'z');
    druxtest::WriteFileBytes(f.cut, {'Z'});
    f.longName = f.cut + L"\\more.ps";
  }
  void SetUp() override {
    ASSERT_TRUE(ready_) << std::string(setupError_.begin(), setupError_.end());
    druxtest::ClearJobs(zeta_.dir);
    druxtest::ClearJobs(alpha_.dir);
    ASSERT_TRUE(dlg_.Create(IDD_DRUX));
    files_list_ = dlg_.GetDlgItemHwnd(IDC_LST_FILES);
    printers_list_ = dlg_.GetDlgItemHwnd(IDC_LST_PRINTERS);
  }
  void TearDown() override { dlg_.DestroyWindow(); }

  // The file list as paths.
  std::vector<std::wstring> Paths() {
    std::vector<std::wstring> paths;
    for (const auto& e : druxtest::ListEntries(files_list_))
      paths.push_back(CListBoxEx::DisplayToPath(e.c_str()).str());
    return paths;
  }
  void Drop(const std::vector<std::wstring>& paths) {
    ::SendMessageW(dlg_.m_hWnd, WM_DROPFILES, WPARAM(druxtest::MakeDropList(paths)), 0);
  }
  void Select(std::initializer_list<int> indexes) {
    ::SendMessageW(files_list_, LB_SETSEL, FALSE, -1);
    for (int i : indexes) ::SendMessageW(files_list_, LB_SETSEL, TRUE, i);
  }

  static bool ready_;
  static std::wstring setupError_;
  static CapturePrinter zeta_, alpha_;
  static Files files_;
  CDRUXDlg dlg_;
  HWND files_list_ = nullptr;
  HWND printers_list_ = nullptr;
};
bool MainDialog::ready_ = false;
std::wstring MainDialog::setupError_;
CapturePrinter MainDialog::zeta_, MainDialog::alpha_;
Files MainDialog::files_;

TEST_F(MainDialog, PrintersInTheListBoxsOrderWithTheDefaultSelected) {
  EXPECT_THAT(druxtest::ListEntries(printers_list_), ElementsAre(L"DRUX alpha", L"DRUX Zeta"));
  EXPECT_EQ(1, druxtest::ListSelection(printers_list_));
  EXPECT_TRUE(dlg_.m_fileList.pathMode);
  EXPECT_TRUE(dlg_.m_fileList.allowDelete);
  EXPECT_FALSE(dlg_.m_printerList.pathMode);
}

TEST_F(MainDialog, DropsAddRegularFilesAndShortcutTargetsOnly) {
  const Files& f = files_;
  Drop({f.a, f.folder, f.toA, f.toFolder, f.notALink, f.a, f.dir + L"\\missing.ps", L"",
        f.longName});
  ASSERT_EQ(MAX_PATH - 1, int(f.cut.size()));
  EXPECT_THAT(Paths(), ElementsAre(f.a, f.a, f.notALink, f.a));
  EXPECT_EQ(L"a.ps\t [" + f.dir + L"]", druxtest::ListEntries(files_list_)[0]);
  // Measured as the files came, the extent is that of the whole list measured again.
  const int extent = int(::SendMessageW(files_list_, LB_GETHORIZONTALEXTENT, 0, 0));
  dlg_.m_fileList.UpdateExtent();
  EXPECT_EQ(extent, int(::SendMessageW(files_list_, LB_GETHORIZONTALEXTENT, 0, 0)));
  EXPECT_GT(extent, 100);
  // Entries added one at a time with redrawing on are measured as they come: the same
  // extent as a measure of the whole list.
  ::SendMessageW(files_list_, LB_RESETCONTENT, 0, 0);
  for (const auto& p : {f.a, f.longName, f.notALink, f.b})
    ::SendMessageW(files_list_, LB_ADDSTRING, 0, LPARAM(p.c_str()));
  const int oneByOne = int(::SendMessageW(files_list_, LB_GETHORIZONTALEXTENT, 0, 0));
  EXPECT_GT(oneByOne, extent);  // the long name is listed here, not being checked
  dlg_.m_fileList.UpdateExtent();
  EXPECT_EQ(oneByOne, int(::SendMessageW(files_list_, LB_GETHORIZONTALEXTENT, 0, 0)));
  // Removing the widest entry narrows the list again.
  ::SendMessageW(files_list_, LB_DELETESTRING, 1, 0);
  EXPECT_EQ(extent, int(::SendMessageW(files_list_, LB_GETHORIZONTALEXTENT, 0, 0)));
}

TEST_F(MainDialog, PastedTextLinesAreTrimmedAndEmptyLinesAddNothing) {
  const Files& f = files_;
  ASSERT_TRUE(druxtest::PutClipboardText(L"  " + f.a + L"  \r\n\r\n   \r\n\t" + f.b + L"\n" +
                                         f.folder + L"\r\n" + f.toFolder + L"\r\n" + f.toA +
                                         L"\r\nnothing at all\r\n" + f.c));
  druxtest::PressKey(files_list_, 'V', true);
  EXPECT_TRUE(dlg_.m_fileList.keyHandled);
  EXPECT_THAT(Paths(), ElementsAre(f.a, f.b, f.a, f.c));
  // Shift+Insert pastes too. (Wine's clipboard itself ends a text block with a NUL,
  // so the bound for text without one is shown by the native tests.)
  ASSERT_TRUE(druxtest::PutClipboardText(f.d));
  druxtest::PressKey(files_list_, VK_INSERT, false, true);
  EXPECT_THAT(Paths(), ElementsAre(f.a, f.b, f.a, f.c, f.d));
}

TEST_F(MainDialog, PastedFileListAddsFilesAndTargetsOfShortcutsToFiles) {
  const Files& f = files_;
  ASSERT_TRUE(druxtest::PutClipboardFiles({f.b, f.folder, f.toA, f.toFolder, f.b}));
  druxtest::PressKey(files_list_, 'V', true);
  EXPECT_THAT(Paths(), ElementsAre(f.b, f.a, f.b));
}

TEST_F(MainDialog, CutOfEntriesOneFourAndTwoOfFive) {
  const Files& f = files_;
  Drop({f.a, f.b, f.c, f.d, f.e});
  Select({0, 3, 1});
  druxtest::PressKey(files_list_, 'X', true);
  EXPECT_EQ(f.a + L"\r\n" + f.b + L"\r\n" + f.d + L"\r\n", druxtest::ClipboardText());
  EXPECT_THAT(Paths(), ElementsAre(f.c, f.e));
  // Shift+Delete cuts as well.
  Select({1});
  druxtest::PressKey(files_list_, VK_DELETE, false, true);
  EXPECT_EQ(f.e + L"\r\n", druxtest::ClipboardText());
  EXPECT_THAT(Paths(), ElementsAre(f.c));
}

TEST_F(MainDialog, CopyLeavesTheListAndNothingSelectedLeavesTheClipboard) {
  const Files& f = files_;
  Drop({f.a, f.b, f.c});
  ASSERT_TRUE(druxtest::PutClipboardText(L"before"));
  Select({});
  druxtest::PressKey(files_list_, 'C', true);
  EXPECT_EQ(L"before", druxtest::ClipboardText());
  Select({2, 0});
  druxtest::PressKey(files_list_, VK_INSERT, true);
  EXPECT_EQ(f.a + L"\r\n" + f.c + L"\r\n", druxtest::ClipboardText());
  EXPECT_EQ(3u, Paths().size());
}

TEST_F(MainDialog, CutWhileAnotherProgramHoldsTheClipboardRemovesNothing) {
  const Files& f = files_;
  Drop({f.a, f.b});
  ASSERT_TRUE(druxtest::PutClipboardText(L"kept"));
  HANDLE opened = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    const BOOL ok = ::OpenClipboard(nullptr);
    ::SetEvent(opened);
    ::WaitForSingleObject(release, 10000);
    if (ok) ::CloseClipboard();
  });
  ::WaitForSingleObject(opened, 10000);
  Select({0, 1});
  druxtest::PressKey(files_list_, 'X', true);
  ::SetEvent(release);
  holder.join();
  ::CloseHandle(opened);
  ::CloseHandle(release);
  EXPECT_THAT(Paths(), ElementsAre(f.a, f.b));
  EXPECT_EQ(L"kept", druxtest::ClipboardText());
}

TEST_F(MainDialog, DeleteRemoveAndSelectAll) {
  const Files& f = files_;
  ASSERT_TRUE(druxtest::PutClipboardText(L"untouched"));
  druxtest::PressKey(files_list_, 'A', true);  // an empty list: nothing to select
  EXPECT_EQ(0, int(::SendMessageW(files_list_, LB_GETSELCOUNT, 0, 0)));
  Drop({f.a, f.b, f.c, f.d});
  Select({1, 2});
  druxtest::PressKey(files_list_, VK_DELETE);
  EXPECT_THAT(Paths(), ElementsAre(f.a, f.d));
  EXPECT_EQ(L"untouched", druxtest::ClipboardText());
  druxtest::PressKey(files_list_, 'A', true);
  EXPECT_EQ(2, int(::SendMessageW(files_list_, LB_GETSELCOUNT, 0, 0)));
  ::SendMessageW(files_list_, LB_SETSEL, FALSE, 0);
  ::SendMessageW(dlg_.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BTN_REMOVEFROMLIST, BN_CLICKED), 0);
  EXPECT_THAT(Paths(), ElementsAre(f.a));
  // The printer list takes none of the editing keys.
  druxtest::PressKey(printers_list_, VK_DELETE);
  druxtest::PressKey(printers_list_, 'X', true);
  druxtest::PressKey(printers_list_, 'V', true);
  EXPECT_EQ(2u, druxtest::ListEntries(printers_list_).size());
  EXPECT_EQ(L"untouched", druxtest::ClipboardText());
}

TEST_F(MainDialog, DownloadSendsTheListInOrderToTheSelectedPrinterAndEnterDoesToo) {
  const Files& f = files_;
  Drop({f.b, f.a, f.b});
  ::SendMessageW(printers_list_, LB_SETCURSEL, 0, 0);  // DRUX alpha
  druxtest::BoxWatcher watcher;
  ::SendMessageW(dlg_.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BTN_DOWNLOAD, BN_CLICKED), 0);
  auto jobs = druxtest::ReadJobs(alpha_.dir);
  ASSERT_EQ(3u, jobs.size());
  const std::vector<uint8_t> a = {'A', 0x00, 0x1A, 0x0D, 0x0A}, b = {'B', 0x00, 0x1A, 0x0D, 0x0A};
  EXPECT_EQ(b, jobs[0]);
  EXPECT_EQ(a, jobs[1]);
  EXPECT_EQ(b, jobs[2]);
  EXPECT_TRUE(druxtest::ReadJobs(zeta_.dir).empty());
  EXPECT_THAT(Paths(), ElementsAre(f.b, f.a, f.b));  // the list stays
  EXPECT_TRUE(::IsWindowEnabled(dlg_.m_hWnd));

  // Enter through the dialog manager: Download is the default button.
  druxtest::ClearJobs(alpha_.dir);
  MSG enter{files_list_, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(::IsDialogMessageW(dlg_.m_hWnd, &enter));
  druxtest::Pump(100);
  EXPECT_EQ(3u, druxtest::ReadJobs(alpha_.dir).size());
  EXPECT_TRUE(watcher.boxes.empty());
}

TEST_F(MainDialog, DownloadOfAnEmptyListPrintsNothing) {
  druxtest::BoxWatcher watcher;
  ::SendMessageW(dlg_.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BTN_DOWNLOAD, BN_CLICKED), 0);
  EXPECT_TRUE(druxtest::ReadJobs(zeta_.dir).empty());
  EXPECT_EQ(0, watcher.topLevelWindowsCreated);
  EXPECT_TRUE(watcher.boxes.empty());
}

TEST_F(MainDialog, PrinterChangesShowAfterTheChangeMessagesWithTheSelectionKept) {
  std::wstring error;
  CapturePrinter added;
  ASSERT_TRUE(druxtest::AddPrinterCapturing(L"DRUX Beta", L"DRUXBETA:", "beta", &added, &error));
  // Nothing changes before the system announces it.
  EXPECT_THAT(druxtest::ListEntries(printers_list_), ElementsAre(L"DRUX alpha", L"DRUX Zeta"));
  ::SendMessageW(dlg_.m_hWnd, WM_DEVMODECHANGE, 0, LPARAM(L"DRUX Beta"));
  EXPECT_THAT(druxtest::ListEntries(printers_list_),
              ElementsAre(L"DRUX alpha", L"DRUX Beta", L"DRUX Zeta"));
  EXPECT_EQ(2, druxtest::ListSelection(printers_list_));  // still DRUX Zeta

  // The selected printer goes: the same index, here the last entry.
  HANDLE h = nullptr;
  ASSERT_TRUE(::OpenPrinterW(const_cast<LPWSTR>(L"DRUX Zeta"), &h, nullptr));
  EXPECT_TRUE(::DeletePrinter(h));
  ::ClosePrinter(h);
  ::SendMessageW(dlg_.m_hWnd, WM_DEVICECHANGE, 7, 0);
  EXPECT_THAT(druxtest::ListEntries(printers_list_), ElementsAre(L"DRUX alpha", L"DRUX Beta"));
  EXPECT_EQ(1, druxtest::ListSelection(printers_list_));

  // Select the first, remove it: the same index, now DRUX Beta.
  ::SendMessageW(printers_list_, LB_SETCURSEL, 0, 0);
  ASSERT_TRUE(::OpenPrinterW(const_cast<LPWSTR>(L"DRUX alpha"), &h, nullptr));
  EXPECT_TRUE(::DeletePrinter(h));
  ::ClosePrinter(h);
  ::SendMessageW(dlg_.m_hWnd, WM_SETTINGCHANGE, 0, LPARAM(L"Devices"));
  EXPECT_THAT(druxtest::ListEntries(printers_list_), ElementsAre(L"DRUX Beta"));
  EXPECT_EQ(0, druxtest::ListSelection(printers_list_));

  // Put the two back for the other tests.
  ASSERT_TRUE(druxtest::AddPrinterCapturing(L"DRUX Zeta", L"DRUXZETA:", "zeta", &zeta_, &error));
  ASSERT_TRUE(druxtest::AddPrinterCapturing(L"DRUX alpha", L"DRUXALPHA:", "alpha", &alpha_, &error));
  ASSERT_TRUE(::OpenPrinterW(const_cast<LPWSTR>(L"DRUX Beta"), &h, nullptr));
  EXPECT_TRUE(::DeletePrinter(h));
  ::ClosePrinter(h);
  ::SetDefaultPrinterW(L"DRUX Zeta");
}

}  // namespace

namespace {

TEST_F(MainDialog, LocalPrintersComeInCodeUnitOrder) {
  CStringList names;
  EnumLocalPrinters(names);
  std::vector<std::wstring> got;
  for (POSITION pos = names.GetHeadPosition(); pos;) got.push_back(names.GetNext(pos).str());
  EXPECT_THAT(got, ElementsAre(L"DRUX Zeta", L"DRUX alpha"));
}

TEST(PrinterMenu, ItemsShowTheNamesAsTheyAreWithIdsFromOneThousand) {
  CStringList printers;
  printers.AddTail(L"A&B");
  printers.AddTail(L"Laser");
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  AppendPrinterItems(menu, printers);
  ASSERT_EQ(2, menu.GetMenuItemCount());
  wchar_t text[64] = {};
  ::GetMenuStringW(menu, 1000, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(L"A&&B", text);  // shown as "A&B", no mnemonic
  ::GetMenuStringW(menu, 1001, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(L"Laser", text);
}

TEST_F(MainDialog, ResolveShortcutAnswersOnlyForShortcutsToFileSystemPaths) {
  const Files& f = files_;
  wchar_t target[2 * MAX_PATH + 1];
  struct Case {
    std::wstring path;
    bool resolves;
    std::wstring target;
  } cases[] = {
      {f.a, false, L""},
      {f.folder, false, L""},
      {f.dir + L"\\missing.lnk", false, L""},
      {f.notALink, false, L""},
      {f.toA, true, f.a},
      {f.toFolder, true, f.folder},
  };
  for (const Case& c : cases) {
    std::fill(std::begin(target), std::end(target), L'?');
    EXPECT_EQ(c.resolves, ResolveShortcut(target, c.path.c_str())) << std::string(c.path.begin(), c.path.end());
    EXPECT_EQ(c.target, std::wstring(target)) << std::string(c.path.begin(), c.path.end());
  }
}

}  // namespace

namespace {

// Fills the Add Files dialog when it shows: the names typed, then Open.
std::wstring g_typedNames;
bool g_fileDialogSeen = false;

BOOL CALLBACK FindFileDialog(HWND hwnd, LPARAM param) {
  wchar_t cls[16] = {};
  ::GetClassNameW(hwnd, cls, 16);
  if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, 0x47c)) {
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK FillFileDialog(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindFileDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  ::KillTimer(nullptr, id);
  g_fileDialogSeen = true;
  ::SendMessageW(dialog, CDM_SETCONTROLTEXT, 0x47c, LPARAM(g_typedNames.c_str()));
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(MainDialog, AddFilesTakesTheChosenFilesInTheDialogsOrder) {
  const Files& f = files_;
  ::SetCurrentDirectoryW(f.dir.c_str());
  g_typedNames = L"\"c.tif\" \"a.ps\" \"e.ps\"";
  g_fileDialogSeen = false;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &FillFileDialog);
  ::SendMessageW(dlg_.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BTN_FILESELECT, BN_CLICKED), 0);
  ::KillTimer(nullptr, timer);
  EXPECT_TRUE(g_fileDialogSeen);
  // The paths in the order the dialog gives them.
  EXPECT_THAT(Paths(), ElementsAre(f.c, f.a, f.e));
}

}  // namespace
