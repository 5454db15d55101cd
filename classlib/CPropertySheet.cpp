#include "CPropertySheet.h"

#include <cstring>

#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {
// The sheet that PropertySheetW is creating on this thread; its callback keeps the
// object with the new window.
thread_local CPropertySheet* t_creatingSheet = nullptr;
}  // namespace

CPropertySheet::CPropertySheet(LPCWSTR caption, CWnd* parent, UINT selectPage) : m_psh{} {
  m_strCaption = caption ? caption : L"";
  m_psh.dwSize = sizeof m_psh;
  m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
  m_psh.hwndParent = parent ? parent->m_hWnd : nullptr;
  m_psh.hInstance = AfxGetResourceHandle();
  m_psh.nStartPage = selectPage;
  m_psh.pfnCallback = &CPropertySheet::SheetCallback;
}

CPropertySheet::CPropertySheet(LPCWSTR caption, CWnd* parent, UINT selectPage, HBITMAP watermark,
                               HPALETTE watermarkPalette, HBITMAP header)
    : CPropertySheet(caption, parent, selectPage) {
  m_psh.dwFlags |= PSH_WIZARD97;
  if (watermark) {
    m_psh.dwFlags |= PSH_WATERMARK | PSH_USEHBMWATERMARK;
    m_psh.hbmWatermark = watermark;
  }
  if (watermarkPalette) {
    m_psh.dwFlags |= PSH_USEHPLWATERMARK;
    m_psh.hplWatermark = watermarkPalette;
  }
  if (header) {
    // As a handle: Wine draws no header bitmap given by resource id.
    m_psh.dwFlags |= PSH_HEADER | PSH_USEHBMHEADER;
    m_psh.hbmHeader = header;
  }
}

CPropertySheet::~CPropertySheet() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) ::DestroyWindow(m_hWnd);
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (page) m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[size_t(index)] : nullptr;
}

CPropertyPage* CPropertySheet::FindPageById(UINT templateId) const {
  for (CPropertyPage* page : m_pages) {
    if (page->GetTemplateId() == templateId) return page;
  }
  return nullptr;
}

int CPropertySheet::GetActiveIndex() const {
  if (!m_hWnd) return int(m_psh.nStartPage);
  HWND current = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
  return current ? int(SendMessage(PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current))) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

void CPropertySheet::BuildPropPageArray() {
  m_pageRecords.clear();
  size_t total = 0;
  for (CPropertyPage* page : m_pages) total += page->m_psp.dwSize;
  m_pageRecords.resize(total);
  const bool wizard = (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0;
  size_t at = 0;
  for (CPropertyPage* page : m_pages) {
    page->PreparePage(wizard);
    std::memcpy(&m_pageRecords[at], &page->m_psp, page->m_psp.dwSize);
    at += page->m_psp.dwSize;
  }
  m_psh.nPages = UINT(m_pages.size());
}

void CPropertySheet::Prepare() {
  BuildPropPageArray();
  m_psh.pszCaption = m_strCaption;
  m_psh.ppsp = reinterpret_cast<LPCPROPSHEETPAGEW>(m_pageRecords.data());
}

INT_PTR CPropertySheet::DoModal() {
  if (m_hWnd) return -1;
  Prepare();
  m_psh.dwFlags &= ~DWORD(PSH_MODELESS);
  CPropertySheet* const outer = t_creatingSheet;
  t_creatingSheet = this;
  INT_PTR result = ::PropertySheetW(&m_psh);
  t_creatingSheet = outer;
  return result;
}

BOOL CPropertySheet::Create(CWnd* parent) {
  if (m_hWnd) return FALSE;
  if (parent) m_psh.hwndParent = parent->m_hWnd;
  Prepare();
  m_psh.dwFlags |= PSH_MODELESS;
  CPropertySheet* const outer = t_creatingSheet;
  t_creatingSheet = this;
  INT_PTR result = ::PropertySheetW(&m_psh);
  t_creatingSheet = outer;
  if (result == 0 || result == -1) return FALSE;
  if (!m_hWnd) SubclassWindow(reinterpret_cast<HWND>(result));
  return m_hWnd != nullptr;
}

void CPropertySheet::PostNcDestroy() {
  // The sheet's window was the application's main window: the program has none now.
  if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && hwnd) {
    CPropertySheet* sheet = t_creatingSheet;
    t_creatingSheet = nullptr;
    if (sheet && !sheet->m_hWnd && sheet->SubclassWindow(hwnd)) {
      try {
        sheet->OnInitDialog();
      } catch (...) {
        // Nothing may unwind through the system's frames.
      }
    }
  }
  return 0;
}
