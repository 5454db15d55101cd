// The wizard sheet run modeless inside a Wine test program and driven through
// messages: pages shown directly with the installer state a test sets, buttons
// pressed, message boxes recorded instead of shown. Also the spooler and package
// helpers the page tests share.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DriverInstallWin.h"
#include "HeaderBitmap.h"
#include "Screenshot.h"
#include "SpoolerProbe.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TWKSheet.h"
#include "TextLookupWin.h"

namespace wizardtest {

// A 32-bit test process on 64-bit Wine would install drivers for the x64
// environment, which its own 32-bit spooler client does not list. The installer
// never does this (its 32-bit build hands over to the 64-bit one), so the 32-bit
// tests hide WOW64 from the version checks before their first use.
inline const bool kHideWow64 = [] {
  if (sizeof(void*) == 4) SetEnvironmentVariableW(L"PROCESSOR_ARCHITEW6432", nullptr);
  return true;
}();

inline void Pump(int ms = 150) {
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

inline std::wstring Text(HWND window) {
  std::vector<wchar_t> buffer(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
  GetWindowTextW(window, buffer.data(), int(buffer.size()));
  return buffer.data();
}

// The message boxes the pages showed, in order.
struct Box {
  std::wstring text, caption;
  UINT type;
  HWND owner;
};
inline std::vector<Box>& Boxes() {
  static std::vector<Box> boxes;
  return boxes;
}
inline int WINAPI RecordingBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  Boxes().push_back({text ? text : L"", caption ? caption : L"", type, owner});
  return IDOK;
}

// Position of each page in the sheet.
inline int PositionOf(UINT pageId) {
  const UINT ids[] = {IDD_WELCOME, IDD_NEWOLD, IDD_NETWORKSEARCH, IDD_LISTQUEUES, IDD_OTHERPORT,
                      IDD_LISTMODEL, IDD_LISTPRINTER, IDD_EXISTDRIVER, IDD_COMPLETE};
  return int(std::find(std::begin(ids), std::end(ids), pageId) - std::begin(ids));
}

inline const int kFinishButton = 0x3025;

class WizardTest : public ::testing::Test {
protected:
  void SetUp() override {
    DeleteFileW(GetTextFilePath().GetString());
    TheState() = InstallerState();
    Boxes().clear();
    g_messageBox = &RecordingBox;
    watermark_ = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WATERMARK), IMAGE_BITMAP, 0, 0, 0));
    header_ = LoadHeaderBitmap(GetModuleHandleW(nullptr), pixels_);
    sheet_ = new CTWKSheet(L"Tarnwick", watermark_, header_);
    TheApp().m_pMainWnd = sheet_;
    ASSERT_TRUE(sheet_->Create());
    ShowWindow(sheet_->m_hWnd, SW_SHOW);
    Pump();
  }
  void TearDown() override {
    if (sheet_->m_hWnd) DestroyWindow(sheet_->m_hWnd);
    Pump(50);
    delete sheet_;
    TheApp().m_pMainWnd = nullptr;
    g_messageBox = &MessageBoxW;
    DeleteObject(header_);
    DeleteObject(watermark_);
  }

  HWND Sheet() const { return sheet_->m_hWnd; }
  // The current page's window; null once Finish has closed the wizard.
  HWND Page() const { return reinterpret_cast<HWND>(SendMessageW(Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0)); }
  UINT PageId() const {
    CPropertyPage* page = sheet_->GetActivePage();
    return page ? page->GetTemplateId() : 0;
  }
  HWND Item(int id) const { return GetDlgItem(Page(), id); }
  std::wstring ItemText(int id) const { return Text(Item(id)); }
  bool Checked(int id) const { return IsDlgButtonChecked(Page(), id) == BST_CHECKED; }
  // Shows a page directly, with the state the test has set.
  void Show(UINT pageId) {
    SendMessageW(Sheet(), PSM_SETCURSEL, WPARAM(PositionOf(pageId)), 0);
    Pump();
    ASSERT_EQ(PageId(), pageId);
  }
  void Press(int button) {
    SendMessageW(Sheet(), PSM_PRESSBUTTON, WPARAM(button), 0);
    Pump();
  }
  void SetItemText(int id, const wchar_t* text) {
    SetWindowTextW(Item(id), text);
    Pump(20);
  }
  void Click(int id) {
    SendMessageW(Item(id), BM_CLICK, 0, 0);
    Pump(50);
  }
  void Shot(const char* name) {
    Screenshot(Sheet(), std::string(sizeof(void*) == 8 ? "x64-" : "x86-") + name);
  }

  CTWKSheet* sheet_ = nullptr;
  HBITMAP watermark_ = nullptr, header_ = nullptr;
  std::vector<uint8_t> pixels_;
};

inline std::wstring Widen(const char* s) { return std::wstring(s, s + strlen(s)); }

// A Unix path of the build machine as Wine's Z: drive sees it.
inline std::wstring FromUnix(const char* path) {
  std::wstring w = L"Z:" + Widen(path);
  std::replace(w.begin(), w.end(), L'/', L'\\');
  return w;
}

inline std::wstring TempDir(const wchar_t* name) {
  wchar_t buffer[MAX_PATH];
  GetTempPathW(MAX_PATH, buffer);
  std::wstring dir = std::wstring(buffer) + L"qvpages-" + name;
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

// The test driver package (QV_SETUP_FIXTURES/qvtest) with its colour profile copied
// into a folder of the prefix; without one of its files when `leaveOut` is given.
inline std::wstring PreparePackage(const wchar_t* name, const wchar_t* leaveOut = nullptr) {
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
  if (leaveOut) DeleteFileW((dir + L"\\" + leaveOut).c_str());
  return dir;
}

inline const wchar_t* kModel = L"Tavik Test PS";

inline const wchar_t* ModelsSection() { return CurrentWindowsKind().x64 ? L"TAVIK.NTamd64" : L"TAVIK"; }

inline DriverSource SourceIn(const std::wstring& dir) {
  DriverSource source;
  source.modelsSection = ModelsSection();
  source.modelName = kModel;
  source.infPath = (dir + L"\\qvtest.inf").c_str();
  return source;
}

using spoolertest::DeleteAllPrinters;
using spoolertest::DriverInstalled;
using spoolertest::LocalPrinterNames;
using spoolertest::PortNames;
using spoolertest::PrinterInfo;
using spoolertest::ReadPrinter;

inline bool Has(const std::vector<std::wstring>& list, const std::wstring& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace wizardtest
