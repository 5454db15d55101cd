// The wizard sheet run modeless inside the test program and driven through messages,
// with the installer's own resources linked in. Screenshots of the pages go to
// QV_SHOT_DIR when imagemagick's import is there (looked at by people, not asserted).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "Screenshot.h"

#include <cstdio>
#include <string>
#include <vector>

#include "HeaderBitmap.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TWKSheet.h"
#include "TextLookupWin.h"
#include "Utf16.h"

namespace {

void Pump(int ms = 150) {
  const DWORD end = GetTickCount() + DWORD(ms);
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (GetTickCount() < end);
}

std::wstring Text(HWND window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  return buffer;
}


// Gives the test access to the records the sheet hands to the system.
class TestSheet : public CTWKSheet {
public:
  using CTWKSheet::CTWKSheet;
  const PROPSHEETPAGEW& Record(int position) const {
    return *reinterpret_cast<const PROPSHEETPAGEW*>(&m_pageRecords[size_t(position) * kPageRecordSize]);
  }
};

int g_boxes = 0;
std::wstring g_boxText, g_boxCaption;
UINT g_boxType = 0;
int WINAPI CountingBox(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
  ++g_boxes;
  g_boxText = text ? text : L"";
  g_boxCaption = caption ? caption : L"";
  g_boxType = type;
  return IDOK;
}

class Wizard : public ::testing::Test {
protected:
  void SetUp() override {
    languageFile_ = GetTextFilePath().str();
    DeleteFileW(languageFile_.c_str());
    TheState() = InstallerState();
    watermark_ = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WATERMARK), IMAGE_BITMAP, 0, 0, 0));
    header_ = LoadHeaderBitmap(GetModuleHandleW(nullptr), pixels_);
  }
  void TearDown() override {
    if (sheet_) {
      if (sheet_->m_hWnd) DestroyWindow(sheet_->m_hWnd);
      Pump(50);
      delete sheet_;
    }
    TheApp().m_pMainWnd = nullptr;
    DeleteFileW(languageFile_.c_str());
    DeleteObject(header_);
    DeleteObject(watermark_);
  }
  void WriteLanguageFile(const char* body) {
    FILE* f = _wfopen(languageFile_.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fputs(body, f);
    fclose(f);
  }
  void Open() {
    sheet_ = new TestSheet(L"Tarnwick", watermark_, header_);
    TheApp().m_pMainWnd = sheet_;
    ASSERT_TRUE(sheet_->Create());
    ShowWindow(sheet_->m_hWnd, SW_SHOW);
    Pump();
  }
  HWND Sheet() const { return sheet_->m_hWnd; }
  HWND Page() const { return reinterpret_cast<HWND>(SendMessageW(Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0)); }
  UINT PageId() const {
    CPropertyPage* page = sheet_->GetActivePage();
    return page ? page->GetTemplateId() : 0;
  }
  bool Enabled(int button) const { return IsWindowEnabled(GetDlgItem(Sheet(), button)) != FALSE; }
  bool HelpShown() const {
    HWND help = GetDlgItem(Sheet(), IDC_SHEET_HELP);
    return help && IsWindowVisible(help);
  }
  void Press(int button) {
    SendMessageW(Sheet(), PSM_PRESSBUTTON, WPARAM(button), 0);
    Pump();
  }

  std::wstring languageFile_;
  HBITMAP watermark_ = nullptr, header_ = nullptr;
  std::vector<uint8_t> pixels_;
  TestSheet* sheet_ = nullptr;
};

const int kBack = 0x3023, kNext = 0x3024;

TEST_F(Wizard, OpensOnTheWelcomePageAndWalksNextAndBack) {
  Open();
  ASSERT_EQ(PageId(), UINT(IDD_WELCOME));
  // Exterior page: no header band, the watermark.
  EXPECT_TRUE(sheet_->Record(0).dwFlags & PSP_HIDEHEADER);
  EXPECT_FALSE(sheet_->Record(0).dwFlags & (PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE));
  EXPECT_TRUE(sheet_->m_psh.dwFlags & PSH_WIZARD97);
  EXPECT_TRUE(sheet_->m_psh.dwFlags & PSH_WATERMARK);
  EXPECT_EQ(sheet_->m_psh.hbmWatermark, watermark_);
  EXPECT_FALSE(sheet_->m_psh.dwFlags & PSH_HASHELP);
  EXPECT_FALSE(Enabled(kBack));
  EXPECT_TRUE(Enabled(kNext));
  EXPECT_FALSE(HelpShown());
  EXPECT_EQ(Text(GetDlgItem(Page(), 1082)), L"v2.1.66 - non localized");
  EXPECT_EQ(Text(GetDlgItem(Page(), 1000)), L"Welcome to the Tarnwick");
  EXPECT_EQ(Text(Sheet()), L"Tarnwick");

  // The heading: bold, 16 units high, in the face of the sheet's font.
  LOGFONTW heading{}, sheetFont{};
  GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(Page(), 1000, WM_GETFONT, 0, 0)),
             sizeof heading, &heading);
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Sheet(), WM_GETFONT, 0, 0)), sizeof sheetFont,
             &sheetFont);
  EXPECT_EQ(heading.lfHeight, -16);
  EXPECT_EQ(heading.lfWeight, FW_BOLD);
  EXPECT_STREQ(heading.lfFaceName, sheetFont.lfFaceName);

  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NEWOLD));
  EXPECT_EQ(TheState().pageHistory, PageHistory({IDD_WELCOME}));
  EXPECT_TRUE(Enabled(kBack));
  EXPECT_TRUE(sheet_->Record(1).dwFlags & PSP_USEHEADERTITLE);
  EXPECT_STREQ(sheet_->Record(1).pszHeaderTitle, L"New printer driver from disk?");
  EXPECT_EQ(Text(GetDlgItem(Page(), 1001)), L"Install new printer from installation disk");

  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NETWORKSEARCH));
  EXPECT_EQ(TheState().pageHistory, PageHistory({IDD_WELCOME, IDD_NEWOLD}));
  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_NEWOLD));
  EXPECT_EQ(TheState().pageHistory, PageHistory({IDD_WELCOME}));

  Press(PSBTN_BACK);
  ASSERT_EQ(PageId(), UINT(IDD_WELCOME));
  EXPECT_TRUE(TheState().pageHistory.empty());
  EXPECT_FALSE(Enabled(kBack));
  EXPECT_FALSE(HelpShown());
}

TEST_F(Wizard, LanguageFileSetsTheLanguageAndCanHideAHeaderLine) {
  WriteLanguageFile(
      "[Tarnwick2]\r\nIDS_LOCAL=Deutsch\r\nIDS_H_NOP=\r\nIDS_SH_NOP=Neu oder vorhanden\r\n");
  Open();
  EXPECT_EQ(Text(GetDlgItem(Page(), 1082)), L"v2.1.66 - Deutsch");
  EXPECT_FALSE(sheet_->Record(1).dwFlags & PSP_USEHEADERTITLE);
  EXPECT_TRUE(sheet_->Record(1).dwFlags & PSP_USEHEADERSUBTITLE);
  EXPECT_STREQ(sheet_->Record(1).pszHeaderSubTitle, L"Neu oder vorhanden");
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageId(), UINT(IDD_NEWOLD));
  Screenshot(Sheet(), std::string(sizeof(void*) == 8 ? "x64-" : "x86-") + "page07-no-title");
}

TEST_F(Wizard, PageRecordsAreTheShortFormWithTheProgramIcon) {
  Open();
  for (int i = 0; i < 9; ++i) {
    const PROPSHEETPAGEW& record = sheet_->Record(i);
    EXPECT_EQ(record.dwSize, kPageRecordSize);
    EXPECT_TRUE(record.dwFlags & PSP_USEHICON);
    EXPECT_TRUE(record.dwFlags & PSP_DLGINDIRECT);
    EXPECT_TRUE(record.dwFlags & PSP_USETITLE);
    EXPECT_STREQ(record.pszTitle, L"Tarnwick");
  }
  const UINT ids[] = {6, 7, 11, 12, 8, 9, 10, 13, 14};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(sheet_->GetPage(i)->GetTemplateId(), ids[i]);
    // Every page once on screen, for people to look at.
    SendMessageW(Sheet(), PSM_SETCURSEL, WPARAM(i), 0);
    Pump(50);
    EXPECT_EQ(PageId(), ids[i]);
    char name[32];
    snprintf(name, sizeof name, "%s-page%02u", sizeof(void*) == 8 ? "x64" : "x86", ids[i]);
    Screenshot(Sheet(), name);
  }
  // WM_GETICON: the program icon, the same handle every time.
  LRESULT big = SendMessageW(Sheet(), WM_GETICON, ICON_BIG, 0);
  EXPECT_NE(big, 0);
  EXPECT_EQ(SendMessageW(Sheet(), WM_GETICON, ICON_BIG, 0), big);
  EXPECT_EQ(SendMessageW(Sheet(), WM_GETICON, 7, 0), 0);
}

// A text of the table as a page shows it without a language file: decoded.
std::wstring Shown(const twk::InstallerText& text) {
  std::u16string s = text.fallback;
  DecodeEscapes(s);
  return W(s);
}

struct ShownText {
  int control;
  twk::InstallerText text;
};
struct PageTexts {
  UINT page;
  const twk::InstallerText* title;  // null: an exterior page without header lines
  const twk::InstallerText* subtitle;
  std::vector<ShownText> controls;
};

TEST_F(Wizard, EveryPageShowsTheDefaultsOfTheTextTable) {
  Open();
  const PageTexts pages[] = {
      {IDD_WELCOME, nullptr, nullptr,
       {{IDC_WELCOME_HEADING, texts::kWelcomeHeading},
        {IDC_WELCOME_BODY, texts::kWelcomeBody},
        {IDC_WELCOME_CONTINUE, texts::kWelcomeContinue}}},
      {IDD_NEWOLD, &texts::kNewOldTitle, &texts::kNewOldSubtitle,
       {{IDC_NEWOLD_SELOPTION, texts::kSelectOption},
        {IDC_NEWOLD_FROMDISK, texts::kRadioFromDisk},
        {IDC_NEWOLD_BASED, texts::kRadioBasedOnInstalled},
        {IDC_NEWOLD_INFO, texts::kNewOldInfo}}},
      {IDD_NETWORKSEARCH, &texts::kNetworkSearchTitle, &texts::kNetworkSearchSubtitle,
       {{IDC_NETSEARCH_FOUND, texts::kRadioSearchSubnet},
        {IDC_NETSEARCH_TYPED, texts::kRadioPrinterName},
        {IDC_NETSEARCH_OTHER, texts::kRadioOtherConnection},
        {IDC_NETSEARCH_SEARCH, texts::kButtonSearch},
        {IDC_NETSEARCH_OTHER_INFO, texts::kOtherConnectionInfo}}},
      {IDD_LISTQUEUES, &texts::kQueuesTitle, &texts::kQueuesSubtitle,
       {{IDC_LISTQUEUES_CHECKED, texts::kRadioQueues},
        {IDC_LISTQUEUES_SELECTALL, texts::kButtonSelectAll},
        {IDC_LISTQUEUES_UNSELECTALL, texts::kButtonUnselectAll},
        {IDC_LISTQUEUES_INTERNET, texts::kCheckInternetPrinter},
        {IDC_LISTQUEUES_OTHER, texts::kRadioOtherConnection},
        {IDC_LISTQUEUES_OTHER_INFO, texts::kOtherConnectionInfo},
        {IDC_LISTQUEUES_NAME_LABEL, texts::kPrinterNameLabel}}},
      {IDD_OTHERPORT, &texts::kOtherPortTitle, &texts::kOtherPortSubtitle,
       {{IDC_OTHERPORT_UNC, texts::kRadioUnc},
        {IDC_OTHERPORT_UNC_LABEL, texts::kUncLabel},
        {IDC_OTHERPORT_UNC_EXAMPLE, texts::kUncExample},
        {IDC_OTHERPORT_URL, texts::kRadioUrl},
        {IDC_OTHERPORT_URL_LABEL, texts::kUrlLabel},
        {IDC_OTHERPORT_URL_EXAMPLE, texts::kUrlExample},
        {IDC_OTHERPORT_EXISTING, texts::kRadioExistingPort},
        {IDC_OTHERPORT_NEW, texts::kRadioNewPort},
        {IDC_OTHERPORT_NAME_LABEL, texts::kPrinterNameLabel}}},
      {IDD_LISTMODEL, &texts::kModelTitle, &texts::kModelSubtitle,
       {{IDC_LISTMODEL_INTRO, texts::kModelIntro},
        {IDC_LISTMODEL_HAVEDISK, texts::kButtonHaveDisk},
        {IDC_LISTMODEL_NAME_LABEL, texts::kModelPrinterNameLabel}}},
      {IDD_LISTPRINTER, &texts::kInstalledPrintersTitle, &texts::kInstalledPrintersSubtitle,
       {{IDC_LISTPRINTER_INFO, texts::kInstalledPrintersInfo}}},
      {IDD_EXISTDRIVER, &texts::kExistDriverTitle, &texts::kExistDriverSubtitle,
       {{IDC_EXISTDRIVER_SELOPTION, texts::kSelectOption},
        {IDC_EXISTDRIVER_KEEP, texts::kRadioKeepDriver},
        {IDC_EXISTDRIVER_REPLACE, texts::kRadioReplaceDriver}}},
      // An empty state record: fewer than two queues, so the one-port label.
      {IDD_COMPLETE, nullptr, nullptr,
       {{IDC_COMPLETE_HEADING, texts::kCompleteHeading},
        {IDC_COMPLETE_SUBHEADING, texts::kCompleteSubheading},
        {IDC_COMPLETE_NAME_LABEL, texts::kPrinterNameLabel},
        {IDC_COMPLETE_DRIVER_LABEL, texts::kDriverLabel},
        {IDC_COMPLETE_PORT_LABEL, texts::kPortLabel},
        {IDC_COMPLETE_FINISH, texts::kCompleteFinish}}},
  };
  int position = 0;
  for (const PageTexts& p : pages) {
    SCOPED_TRACE(testing::Message() << "page " << p.page);
    SendMessageW(Sheet(), PSM_SETCURSEL, WPARAM(position), 0);
    Pump(50);
    ASSERT_EQ(PageId(), p.page);
    for (const ShownText& c : p.controls) {
      EXPECT_EQ(Text(GetDlgItem(Page(), c.control)), Shown(c.text)) << "control " << c.control;
    }
    const PROPSHEETPAGEW& record = sheet_->Record(position);
    if (p.title) {
      EXPECT_STREQ(record.pszHeaderTitle, Shown(*p.title).c_str());
      EXPECT_STREQ(record.pszHeaderSubTitle, Shown(*p.subtitle).c_str());
    } else {
      EXPECT_TRUE(record.dwFlags & PSP_HIDEHEADER);
    }
    ++position;
  }
}

TEST(HeaderImage, TealBackgroundShowsInTheWindowColour) {
  // The resource itself has a teal background.
  HRSRC res = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_HEADER), RT_BITMAP);
  ASSERT_NE(res, nullptr);
  const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, res)));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->biWidth, 49);
  EXPECT_EQ(info->biHeight, 49);
  EXPECT_EQ(info->biBitCount, 24);
  const uint8_t* corner = reinterpret_cast<const uint8_t*>(info + 1);
  EXPECT_EQ(RGB(corner[2], corner[1], corner[0]), RGB(0, 128, 128));

  std::vector<uint8_t> pixels;
  HBITMAP header = LoadHeaderBitmap(GetModuleHandleW(nullptr), pixels);
  ASSERT_NE(header, nullptr);
  std::vector<uint8_t> bits(148 * 49);
  ASSERT_EQ(GetBitmapBits(header, LONG(bits.size()), bits.data()), LONG(bits.size()));
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(RGB(bits[2], bits[1], bits[0]), window);
  int teal = 0;
  for (size_t row = 0; row < 49; ++row)
    for (size_t x = 0; x < 49; ++x) {
      const uint8_t* p = &bits[row * 148 + x * 3];
      teal += p[0] == 128 && p[1] == 128 && p[2] == 0;
    }
  EXPECT_EQ(teal, 0);
  DeleteObject(header);

  HRSRC mark = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WATERMARK), RT_BITMAP);
  const auto* markInfo = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, mark)));
  ASSERT_NE(markInfo, nullptr);
  EXPECT_EQ(markInfo->biWidth, 499);
  EXPECT_EQ(markInfo->biHeight, 314);
  EXPECT_EQ(markInfo->biBitCount, 8);
}

TEST(MessageBoxes, SystemErrorShowsOnlyWhatTheSystemCanDescribe) {
  g_messageBox = &CountingBox;
  g_boxes = 0;
  EXPECT_FALSE(ShowSystemError(0));
  EXPECT_FALSE(ShowSystemError(0x20000123));  // an application code: no system text
  EXPECT_EQ(g_boxes, 0);
  EXPECT_TRUE(ShowSystemError(ERROR_ACCESS_DENIED));
  EXPECT_EQ(g_boxes, 1);
  EXPECT_FALSE(g_boxText.empty());
  EXPECT_EQ(g_boxCaption, L"Tarnwick");
  EXPECT_EQ(g_boxType, UINT(MB_ICONERROR));
  ShowError(nullptr, L"Could not install printer(s).");
  EXPECT_EQ(g_boxes, 2);
  EXPECT_EQ(g_boxText, L"Could not install printer(s).");
  g_messageBox = &MessageBoxW;
}

}  // namespace
