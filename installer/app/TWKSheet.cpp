#include "TWKSheet.h"

#include <cstring>

#include "CWinApp.h"
#include "TWKResource.h"

IMPLEMENT_DYNAMIC(CTWKSheet, CPropertySheet)

CTWKSheet::CTWKSheet(LPCWSTR caption, HBITMAP watermark, HBITMAP header)
    : CPropertySheet(caption, nullptr, 0, watermark, nullptr, header) {
  CPropertyPage* const inPositionOrder[] = {
      &m_welcomePage,  &m_newOldPage,      &m_networkSearchPage, &m_listQueuesPage, &m_otherPortPage,
      &m_listModelPage, &m_listPrinterPage, &m_existDriverPage,   &m_completePage,
  };
  for (CPropertyPage* page : inPositionOrder) AddPage(page);
  m_psh.dwFlags &= ~DWORD(PSH_HASHELP);
  m_psh.dwFlags |= PSH_WIZARD97 | PSH_USEHICON;
  m_psh.hInstance = AfxGetResourceHandle();
  m_psh.hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_PROGRAM));
}

CTWKSheet::~CTWKSheet() {
  // The window goes first, while the pages it shows still exist.
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) ::DestroyWindow(m_hWnd);
}

BOOL CTWKSheet::OnInitDialog() { return CPropertySheet::OnInitDialog(); }

void CTWKSheet::BuildPropPageArray() {
  m_pageRecords.assign(size_t(kPageRecordSize) * m_pages.size(), 0);
  const bool wizard = (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0;
  size_t at = 0;
  for (CPropertyPage* page : m_pages) {
    page->PreparePage(wizard);
    auto* record = reinterpret_cast<PROPSHEETPAGEW*>(&m_pageRecords[at]);
    std::memcpy(record, &page->m_psp, kPageRecordSize);
    record->dwSize = kPageRecordSize;
    if (!page->m_strHeaderTitle.IsEmpty()) {
      record->pszHeaderTitle = page->m_strHeaderTitle;
      record->dwFlags |= PSP_USEHEADERTITLE;
    }
    if (!page->m_strHeaderSubTitle.IsEmpty()) {
      record->pszHeaderSubTitle = page->m_strHeaderSubTitle;
      record->dwFlags |= PSP_USEHEADERSUBTITLE;
    }
    at += kPageRecordSize;
  }
  m_psh.nPages = UINT(m_pages.size());
}

LRESULT CTWKSheet::OnGetIcon(WPARAM kind, LPARAM) {
  HICON* remembered = kind == ICON_BIG ? &m_largeIcon : kind == ICON_SMALL ? &m_smallIcon : nullptr;
  if (!remembered) return 0;
  CWnd* main = AfxGetMainWnd();
  if (!*remembered && main && main->m_hWnd) {
    *remembered = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_PROGRAM));
    main->SendMessage(WM_SETICON, kind, reinterpret_cast<LPARAM>(*remembered));
  }
  return reinterpret_cast<LRESULT>(*remembered);
}

BOOL CTWKSheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_GETICON) {
    *result = OnGetIcon(wParam, lParam);
    return TRUE;
  }
  return CPropertySheet::OnWndMsg(message, wParam, lParam, result);
}
