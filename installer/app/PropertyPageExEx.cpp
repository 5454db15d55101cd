#include "PropertyPageExEx.h"

#include "CWinApp.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNAMIC(CPropertyPageExEx, CPropertyPage)

CPropertyPageExEx::CPropertyPageExEx(UINT pageId, const CString& headerTitle,
                                     const CString& headerSubTitle)
    : CPropertyPage(pageId, AFX_IDS_APP_TITLE, 0, 0, kPageRecordSize) {
  m_psp.dwFlags |= PSP_USEHICON;
  m_psp.hInstance = AfxGetResourceHandle();
  m_psp.hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_PROGRAM));
  m_strHeaderTitle = headerTitle;
  m_strHeaderSubTitle = headerSubTitle;
}

CPropertyPageExEx::~CPropertyPageExEx() {
  if (m_headingFont) ::DeleteObject(m_headingFont);
}

void CPropertyPageExEx::SetTexts(std::initializer_list<TextItem> items) {
  HFONT font = SheetFont();
  for (const TextItem& item : items) {
    SetDlgItemText(item.id, LoadText(item.text));
    SendDlgItemMessage(item.id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

HFONT CPropertyPageExEx::SheetFont() const {
  HWND sheet = GetSheetHwnd();
  return sheet ? reinterpret_cast<HFONT>(::SendMessageW(sheet, WM_GETFONT, 0, 0)) : nullptr;
}

void CPropertyPageExEx::GiveSheetFont(std::initializer_list<int> ids) {
  HFONT font = SheetFont();
  for (int id : ids) SendDlgItemMessage(id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CPropertyPageExEx::PostWizardButtons(DWORD buttons) {
  ::PostMessageW(GetSheetHwnd(), PSM_SETWIZBUTTONS, 0, LPARAM(buttons));
}

void CPropertyPageExEx::SetHeadingFont(int id) {
  HFONT heading = MakeHeadingFont(SheetFont());
  SendDlgItemMessage(id, WM_SETFONT, reinterpret_cast<WPARAM>(heading), TRUE);
  if (m_headingFont) ::DeleteObject(m_headingFont);  // the control no longer uses it
  m_headingFont = heading;
}

LRESULT CPropertyPageExEx::AcceptNext(LRESULT nextPage) {
  TheState().pageHistory.push_back(int32_t(GetTemplateId()));
  return nextPage;
}

LRESULT CPropertyPageExEx::GoBack() { return TheState().PopPage(); }

HFONT MakeHeadingFont(HFONT font) {
  LOGFONTW description{};
  if (!font || ::GetObjectW(font, sizeof description, &description) == 0) {
    font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::GetObjectW(font, sizeof description, &description);
  }
  description.lfHeight = -16;
  description.lfWeight = FW_BOLD;
  return ::CreateFontIndirectW(&description);
}
