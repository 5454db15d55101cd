// The class library's dialog and message box, and the tool's texts from DRUX.ini, on
// Wine (the dialog template is the progress window's, dialog 103).
#include <gtest/gtest.h>

#include <windows.h>

#include "AfxMessageBox.h"
#include "CDialog.h"
#include "DruxText.h"
#include "OwnerWindowTest.h"
#include "WineHarness.h"

namespace {

class EndsItself : public CDialog {
public:
  EndsItself(CWnd* parent, UINT command) : CDialog(103, parent), command_(command) {}
  HWND ownerSeen = nullptr;
  bool ownerDisabled = false;
  int inits = 0;
  int oks = 0;

protected:
  BOOL OnInitDialog() override {
    ++inits;
    ownerSeen = ::GetWindow(m_hWnd, GW_OWNER);
    ownerDisabled = ownerSeen && !::IsWindowEnabled(ownerSeen);
    if (command_ == VK_ESCAPE) PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    else PostMessage(WM_COMMAND, command_, 0);
    return CDialog::OnInitDialog();
  }
  void OnOK() override {
    ++oks;
    CDialog::OnOK();
  }

private:
  UINT command_;
};

class ClassLibraryDialog : public druxtest::OwnerWindowTest {};

TEST_F(ClassLibraryDialog, DoModalDisablesTheOwnerAndAnswersTheEndingCommand) {
  EndsItself ok(&ownerWnd_, IDOK);
  EXPECT_EQ(IDOK, ok.DoModal());
  EXPECT_EQ(1, ok.inits);
  EXPECT_EQ(1, ok.oks);
  EXPECT_EQ(owner_, ok.ownerSeen);
  EXPECT_TRUE(ok.ownerDisabled);
  EXPECT_TRUE(::IsWindowEnabled(owner_));
  EXPECT_EQ(nullptr, ok.m_hWnd);

  EndsItself esc(&ownerWnd_, VK_ESCAPE);  // Esc through the dialog manager: Cancel
  EXPECT_EQ(IDCANCEL, esc.DoModal());
  EXPECT_EQ(0, esc.oks);
}

TEST_F(ClassLibraryDialog, ModelessCreateIsOwnedAndGoesWithTheObject) {
  HWND hwnd = nullptr;
  {
    CDialog dlg(103, &ownerWnd_);
    ASSERT_TRUE(dlg.Create(103));
    hwnd = dlg.m_hWnd;
    EXPECT_EQ(owner_, ::GetWindow(hwnd, GW_OWNER));
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(hwnd));
    EXPECT_FALSE(dlg.Create(103));  // one window per object
  }
  EXPECT_FALSE(::IsWindow(hwnd));
  CDialog missing(4711);
  EXPECT_FALSE(missing.Create(4711));
  EXPECT_EQ(-1, missing.DoModal());
}

TEST_F(ClassLibraryDialog, MessageBoxCarriesTheProgramsName) {
  EXPECT_EQ(L"drux_wine_tests", AfxGetAppName().str());
  druxtest::BoxWatcher watcher(IDYES);
  EXPECT_EQ(IDYES, AfxMessageBox(L"Abort all File Prints?", MB_YESNO));
  EXPECT_EQ(IDOK, AfxMessageBox(L"Note"));
  ASSERT_EQ(2u, watcher.boxes.size());
  EXPECT_EQ(L"drux_wine_tests", watcher.boxes[0].caption);
  EXPECT_EQ(L"Abort all File Prints?", watcher.boxes[0].text);
  EXPECT_EQ(L"Note", watcher.boxes[1].text);
}

TEST(DruxTexts, LanguageFileBesideTheProgramIsCheckedAndDecoded) {
  const CString path = drux::GetTextFilePath();
  wchar_t module[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring expected = module;
  expected = expected.substr(0, expected.rfind(L'\\')) + L"\\DRUX.ini";
  ASSERT_EQ(expected, path.str());
  const char ini[] =
      "[Tarnwick2]\r\nIDS_ABORTALL=not our section\r\n"
      "[DRUX]\r\n"
      "IDS_PROGRESS_CAPTION=Drucken\r\n"
      "IDC_BTN_PROGRESSCANCEL=Ab\\x62rechen\r\n"
      "IDS_PRINTFROMTO=Drucke %d von %d\r\n"
      "IDS_PRINTFILEINFO=Datei: %s \\x25s\r\n"
      "IDC_GRP_FILES=100%%\r\n"
      "DX_Language=Deutsch\r\n";
  ASSERT_TRUE(druxtest::WriteFileBytes(expected, std::vector<uint8_t>(ini, ini + sizeof ini - 1)));
  EXPECT_EQ(L"Drucken", drux::LoadText(drux::texts::kProgressCaption).str());
  EXPECT_EQ(L"Abbrechen", drux::LoadText(drux::texts::kProgressCancel).str());
  EXPECT_EQ(L"Printing: %lu of %lu", drux::LoadText(drux::texts::kPrintFromTo).str());
  EXPECT_EQ(L"File: %s", drux::LoadText(drux::texts::kPrintFileInfo).str());
  EXPECT_EQ(L"100%%", drux::LoadText(drux::texts::kGrpFiles).str());
  EXPECT_EQ(L"Deutsch", drux::LoadText(drux::texts::kLanguage).str());
  EXPECT_EQ(L"Abort all File Prints?", drux::LoadText(drux::texts::kAbortAll).str());
  ::DeleteFileW(expected.c_str());
  EXPECT_EQ(L"Printing", drux::LoadText(drux::texts::kProgressCaption).str());
}

}  // namespace
