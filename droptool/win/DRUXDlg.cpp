#include "DRUXDlg.h"

#include <shellapi.h>
#include <winspool.h>

#include <vector>

#include "CFileDialog.h"
#include "CWinApp.h"
#include "DruxText.h"
#include "LocalPrinters.h"
#include "MainDialogRules.h"
#include "PastedFiles.h"
#include "PrintFiles.h"
#include "PrinterNames.h"
#include "Utf16.h"
#include "resource.h"

namespace {

// The Add Files dialog's name buffer: 0x10002 bytes, of which 0x8000 characters are
// offered at first; the dialog grows it for a longer selection.
constexpr DWORD kFileDialogChars = 0x8000;

// The dialog texts taken from the language file, by control.
struct ControlText {
  int id;
  const drux::TextKey& key;
};
const ControlText kControlTexts[] = {
    {IDC_BTN_DOWNLOAD, drux::texts::kBtnDownload},
    {IDC_BTN_END, drux::texts::kBtnEnd},
    {IDC_BTN_REMOVEFROMLIST, drux::texts::kBtnRemove},
    {IDC_BTN_FILESELECT, drux::texts::kBtnFileSelect},
    {IDC_GRP_FILES, drux::texts::kGrpFiles},
    {IDC_GRP_PRINTERS, drux::texts::kGrpPrinters},
};

// The user's default printer, or empty.
CString DefaultPrinterName() {
  // The size asked for may grow before the second call (another default was set):
  // ask again with the new size, a few times at most.
  std::vector<wchar_t> buffer;
  DWORD size = 0;
  ::GetDefaultPrinterW(nullptr, &size);
  for (int attempt = 0; attempt < 8 && size > 0; ++attempt) {
    buffer.assign(size_t(size) + 1, L'\0');
    DWORD have = size + 1;
    if (::GetDefaultPrinterW(buffer.data(), &have)) return CString(buffer.data());
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || have <= size) break;
    size = have;
  }
  return CString();
}

}  // namespace

CDRUXDlg::CDRUXDlg(CWnd* parent)
    : CDialog(IDD_DRUX, parent),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_DRUX))) {}

CDRUXDlg::~CDRUXDlg() = default;

void CDRUXDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_LST_PRINTERS, m_printerList);
  DDX_Control(pDX, IDC_LST_FILES, m_fileList);
}

BOOL CDRUXDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const ControlText& c : kControlTexts) {
    if (GetDlgItemHwnd(c.id)) SetDlgItemText(c.id, drux::LoadText(c.key));
  }
  SetWindowText(drux::LoadText(drux::texts::kDlgCaption));
  SetDlgItemText(IDC_LBL_VERSION,
                 ToCString(drux::VersionLine(ToU16(drux::LoadText(drux::texts::kLblVersion)),
                                             ToU16(drux::LoadText(drux::texts::kLanguage)))));
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  RefreshPrinterList();
  SelectDefaultPrinter();
  ::DragAcceptFiles(m_hWnd, TRUE);
  m_fileList.allowDelete = true;
  m_fileList.pathMode = true;
  m_fileList.UpdateExtent();  // the tab stop of path mode from the start
  return TRUE;
}

void CDRUXDlg::SelectDefaultPrinter() {
  if (m_printerList.GetCount() <= 0) return;
  const CString name = DefaultPrinterName();
  if (!name.IsEmpty()) {
    const int found = m_printerList.FindStringExact(-1, name);
    if (found >= 0) m_printerList.SetCurSel(found);
  }
  if (m_printerList.GetCurSel() < 0) m_printerList.SetCurSel(0);
}

void CDRUXDlg::RefreshPrinterList() {
  if (!m_printerList.m_hWnd) return;
  CStringList fresh;
  EnumLocalPrinters(fresh);
  std::vector<std::u16string> freshNames, shownNames;
  for (POSITION pos = fresh.GetHeadPosition(); pos;) freshNames.push_back(ToU16(fresh.GetNext(pos)));
  const int shownCount = m_printerList.GetCount();
  for (int i = 0; i < shownCount; ++i) {
    const CString name = m_printerList.GetText(i);
    if (!name.IsEmpty()) shownNames.push_back(ToU16(name));
  }
  if (drux::SamePrinters(shownNames, freshNames)) return;

  const int selected = m_printerList.GetCurSel();
  const CString selectedText = selected >= 0 ? m_printerList.GetText(selected) : CString();
  m_printerList.SetRedraw(FALSE);
  m_printerList.ResetContent();
  for (POSITION pos = fresh.GetHeadPosition(); pos;) m_printerList.AddString(fresh.GetNext(pos));
  const int found = selected >= 0 && !selectedText.IsEmpty()
                        ? m_printerList.FindStringExact(-1, selectedText)
                        : -1;
  const int reselect =
      drux::ReselectIndex(selected, ToU16(selectedText), found, m_printerList.GetCount());
  if (reselect >= 0) m_printerList.SetCurSel(reselect);
  m_printerList.SetRedraw(TRUE);
  m_printerList.Invalidate();
}

void CDRUXDlg::OnAddFiles() {
  CFileDialog dialog(TRUE, nullptr, nullptr,
                     OFN_READONLY | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST |
                         OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_DONTADDTORECENT,
                     drux::LoadText(drux::texts::kFileFilter), nullptr);
  dialog.SetFileBuffer(kFileDialogChars);
  m_fileList.SetRedraw(FALSE);
  if (dialog.DoModal() == IDOK) {
    // The dialog gives shortcuts' targets itself; its paths are taken as they are.
    for (POSITION pos = dialog.GetStartPosition(); pos;) m_fileList.AddString(dialog.GetNextPathName(pos));
  }
  m_fileList.SetRedraw(TRUE);
  m_fileList.Invalidate();
}

void CDRUXDlg::OnDropFiles(HDROP drop) {
  m_fileList.SetRedraw(FALSE);
  try {
    WinFileProbe probe;
    m_fileList.AddFiles(drux::FilesFromList(probe, DroppedPaths(drop)));
  } catch (...) {
    // Out of memory: what was added stays.
  }
  m_fileList.SetRedraw(TRUE);
  m_fileList.Invalidate();
  ::DragFinish(drop);
}

void CDRUXDlg::OnDownload() {
  const int selected = m_printerList.GetCurSel();
  const CString printer = selected >= 0 ? m_printerList.GetText(selected) : CString();
  CStringList files;
  std::vector<std::u16string> paths;
  const int count = m_fileList.GetCount();
  for (int i = 0; i < count; ++i) {
    const CString path = m_fileList.pathMode ? CListBoxEx::DisplayToPath(m_fileList.GetText(i))
                                             : m_fileList.GetText(i);
    if (path.IsEmpty()) continue;
    files.AddTail(path);
    paths.push_back(ToU16(path));
  }
  switch (drux::DecideDownload(selected >= 0, ToU16(printer), paths)) {
    case drux::DownloadAction::kNothing:
      break;
    case drux::DownloadAction::kBeep:
      ::MessageBeep(0xFFFFFFFF);
      break;
    case drux::DownloadAction::kPrint:
      PrintFiles(printer, files, this);
      break;
  }
}

void CDRUXDlg::OnRemove() {
  m_fileList.SetRedraw(FALSE);
  m_fileList.DeleteSelected();
  m_fileList.SetRedraw(TRUE);
  m_fileList.Invalidate();
}

BOOL CDRUXDlg::CreateBannerPalette(HBITMAP bitmap, HPALETTE* palette) {
  CWnd* main = AfxGetMainWnd();
  const HWND screenWindow = main ? main->m_hWnd : nullptr;
  HDC screen = ::GetDC(screenWindow);
  if (!screen) return FALSE;
  const bool paletteScreen = (::GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
  BOOL result = TRUE;
  if (!paletteScreen) {
    // Nothing to build.
  } else if (!bitmap || !palette) {
    result = FALSE;
  } else {
    if (*palette) {
      ::DeleteObject(*palette);
      *palette = nullptr;
    }
    DIBSECTION section{};
    const bool isDib = ::GetObjectW(bitmap, sizeof section, &section) == int(sizeof section);
    if (isDib && drux::ChooseBannerPalette(section.dsBmih.biClrUsed, section.dsBmih.biBitCount) ==
                     drux::BannerPalette::kColourTable) {
      RGBQUAD colours[256] = {};
      UINT count = 0;
      if (HDC memory = ::CreateCompatibleDC(screen)) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        count = ::GetDIBColorTable(memory, 0, 256, colours);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
      }
      if (count > 0) {
        std::vector<BYTE> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY), 0);
        LOGPALETTE* log = reinterpret_cast<LOGPALETTE*>(block.data());
        log->palVersion = 0x300;
        log->palNumEntries = WORD(count);
        for (UINT i = 0; i < count; ++i) {
          log->palPalEntry[i] = {colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
        }
        *palette = ::CreatePalette(log);
      }
    }
    // More colours than a table holds, or no table to read: the halftone palette.
    if (!*palette) *palette = ::CreateHalftonePalette(screen);
  }
  ::ReleaseDC(screenWindow, screen);
  return result;
}

void CDRUXDlg::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  if (!dc) return;
  RECT client{};
  GetClientRect(&client);
  if (::IsIconic(m_hWnd)) {
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
  } else if (HBITMAP banner = static_cast<HBITMAP>(
                 ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP,
                              0, 0, LR_CREATEDIBSECTION))) {
    BITMAP info{};
    ::GetObjectW(banner, sizeof info, &info);
    // The banner ends at the top of the etched line below it.
    int height = 0;
    if (HWND line = GetDlgItemHwnd(IDC_BANNER_LINE)) {
      RECT r{};
      ::GetWindowRect(line, &r);
      POINT top{r.left, r.top};
      ScreenToClient(&top);
      height = top.y;
    }
    if (HDC memory = ::CreateCompatibleDC(dc)) {
      HGDIOBJ oldBitmap = ::SelectObject(memory, banner);
      HPALETTE palette = nullptr;
      HPALETTE oldPalette = nullptr;
      if (CreateBannerPalette(banner, &palette) && palette) {
        oldPalette = ::SelectPalette(dc, palette, FALSE);
        ::RealizePalette(dc);
      }
      ::StretchBlt(dc, 0, 0, client.right - client.left, height, memory, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
      if (oldPalette) ::SelectPalette(dc, oldPalette, FALSE);
      if (palette) ::DeleteObject(palette);
      ::SelectObject(memory, oldBitmap);
      ::DeleteDC(memory);
    }
    ::DeleteObject(banner);
  }
  ::EndPaint(m_hWnd, &paint);
}

BOOL CDRUXDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      *result = 0;
      return TRUE;
    case WM_QUERYDRAGICON:
      *result = reinterpret_cast<LRESULT>(m_hIcon);
      return TRUE;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      *result = 0;
      return TRUE;
    case WM_DEVMODECHANGE:
    case WM_DEVICECHANGE:
    case WM_SETTINGCHANGE:
      RefreshPrinterList();
      return FALSE;  // and the default handling
    default:
      return CDialog::OnWndMsg(message, wParam, lParam, result);
  }
}

BOOL CDRUXDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT code = HIWORD(wParam);
  if (code == BN_CLICKED || code == 1) {
    switch (LOWORD(wParam)) {
      case IDC_BTN_FILESELECT:
        OnAddFiles();
        return TRUE;
      case IDC_BTN_DOWNLOAD:
        OnDownload();
        return TRUE;
      case IDC_BTN_END:
        OnCancel();
        return TRUE;
      case IDC_BTN_REMOVEFROMLIST:
        OnRemove();
        return TRUE;
      default:
        break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}
