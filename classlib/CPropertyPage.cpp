#include "CPropertyPage.h"

#include "CPropertySheet.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CWnd)

namespace {

CString LoadResourceString(UINT id) {
  if (!id) return CString();
  const wchar_t* text = nullptr;
  int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? CString(text, length) : CString();
}

// The process-wide property-sheet font record: determined on first use, released at
// exit. Wizards and other sheets have their own system templates.
struct PropPageFontInfo {
  bool known = false;
  dlgtemplate::FontInfo font;
};

int CALLBACK FontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FontInstalled(const wchar_t* face) {
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC dc = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(dc, &lf, FontFound, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, dc);
  return found;
}

bool ReadTemplateFont(HMODULE module, UINT id, WORD language, dlgtemplate::FontInfo& out) {
  HRSRC res = language ? ::FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(id), language)
                       : ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
  if (!res) return false;
  HGLOBAL loaded = ::LoadResource(module, res);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return false;
  dlgtemplate::Parsed parsed;
  if (!dlgtemplate::Parse(static_cast<const uint8_t*>(bytes), ::SizeofResource(module, res), parsed) ||
      !parsed.hasFont) {
    return false;
  }
  out = parsed.font;
  return true;
}

}  // namespace

const dlgtemplate::FontInfo& GetPropertySheetFont(bool wizard) {
  static PropPageFontInfo infos[2];
  PropPageFontInfo& info = infos[wizard ? 1 : 0];
  if (info.known) return info.font;
  info.known = true;
  info.font = dlgtemplate::FontInfo{u"MS Shell Dlg", 8};  // when comctl32 has no template
  HMODULE comctl = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&::PropertySheetW), &comctl);
  if (!comctl) return info.font;
  const UINT id = wizard ? 1020 : 1006;
  dlgtemplate::FontInfo found;
  bool ok = false;
  if (PRIMARYLANGID(LANGIDFROMLCID(::GetUserDefaultLCID())) == LANG_JAPANESE &&
      FontInstalled(L"MS UI Gothic")) {
    ok = ReadTemplateFont(comctl, id, 0xFC11, found);
  }
  if (!ok) ok = ReadTemplateFont(comctl, id, 0, found);
  if (ok) info.font = found;
  return info.font;
}

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId, UINT headerTitleId,
                             UINT headerSubTitleId, DWORD recordSize)
    : m_psp{}, m_templateId(templateId) {
  m_psp.dwSize = recordSize;
  m_psp.dwFlags = PSP_DEFAULT;
  m_psp.hInstance = AfxGetResourceHandle();
  m_psp.pszTemplate = MAKEINTRESOURCEW(templateId);
  m_psp.pfnDlgProc = &CPropertyPage::PageDlgProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  m_strCaption = LoadResourceString(captionId);
  if (!m_strCaption.IsEmpty()) m_psp.dwFlags |= PSP_USETITLE;
  m_strHeaderTitle = LoadResourceString(headerTitleId);
  m_strHeaderSubTitle = LoadResourceString(headerSubTitleId);
  if (CWinApp* app = AfxGetApp(); app && app->HandlesCommand(ID_HELP)) {
    m_psp.dwFlags |= PSP_HASHELP;
  }
}

CPropertyPage::~CPropertyPage() = default;

CPropertySheet* CPropertyPage::GetSheet() const {
  CWnd* sheet = FromHandlePermanent(GetSheetHwnd());
  return sheet && sheet->IsKindOf(RUNTIME_CLASS(CPropertySheet)) ? static_cast<CPropertySheet*>(sheet)
                                                                 : nullptr;
}

void CPropertyPage::PreparePage(bool wizard) {
  if (m_psp.dwFlags & PSP_USETITLE) m_psp.pszTitle = m_strCaption;
  const uint8_t* bytes = nullptr;
  size_t size = 0;
  if ((m_psp.dwFlags & PSP_DLGINDIRECT) && m_psp.pResource && !m_template.empty() &&
      m_psp.pResource == reinterpret_cast<LPCDLGTEMPLATEW>(m_template.data())) {
    bytes = m_template.data();
    size = m_template.size();
  } else if ((m_psp.dwFlags & PSP_DLGINDIRECT) && m_psp.pResource) {
    // A template given in memory by the page itself: its size is not known, so it is
    // used as it is.
    return;
  } else {
    HMODULE module = m_psp.hInstance ? m_psp.hInstance : AfxGetResourceHandle();
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(m_templateId), RT_DIALOG);
    HGLOBAL loaded = res ? ::LoadResource(module, res) : nullptr;
    bytes = loaded ? static_cast<const uint8_t*>(::LockResource(loaded)) : nullptr;
    if (!bytes) throw CResourceException();
    size = ::SizeofResource(module, res);
  }
  const dlgtemplate::FontInfo& font = GetPropertySheetFont(wizard);
  dlgtemplate::Parsed parsed;
  if (!dlgtemplate::Parse(bytes, size, parsed)) throw CResourceException();
  std::vector<uint8_t> prepared = dlgtemplate::HasFont(parsed, font)
                                      ? std::vector<uint8_t>(bytes, bytes + size)
                                      : dlgtemplate::WithFont(bytes, size, font);
  if (prepared.empty()) throw CResourceException();
  m_template = std::move(prepared);
  m_psp.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(m_template.data());
  m_psp.dwFlags |= PSP_DLGINDIRECT;
}

BOOL CPropertyPage::OnSetActive() {
  // Controls bound by data exchange are bound on the first activation; later ones
  // refresh the binding (which is idempotent).
  if (m_firstSetActive) m_firstSetActive = false;
  else UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

LRESULT CPropertyPage::MapWizardResult(LRESULT result) const {
  if (result == 0 || result == -1) return result;
  if (CPropertySheet* sheet = GetSheet()) {
    if (CPropertyPage* page = sheet->FindPageById(UINT(result))) {
      if (page->m_psp.dwFlags & PSP_DLGINDIRECT) return reinterpret_cast<LRESULT>(page->m_psp.pResource);
    }
  }
  return result;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (!hdr || hdr->hwndFrom != GetSheetHwnd()) return CWnd::OnNotify(wParam, lParam, result);
  switch (hdr->code) {
    case PSN_SETACTIVE:
      *result = OnSetActive() ? 0 : -1;
      return TRUE;
    case PSN_KILLACTIVE:
      *result = OnKillActive() ? FALSE : TRUE;
      return TRUE;
    case PSN_WIZNEXT:
      *result = MapWizardResult(OnWizardNext());
      return TRUE;
    case PSN_WIZBACK:
      *result = MapWizardResult(OnWizardBack());
      return TRUE;
    case PSN_WIZFINISH:
      *result = OnWizardFinish() ? FALSE : TRUE;
      return TRUE;
    case PSN_QUERYCANCEL:
      *result = OnQueryCancel() ? FALSE : TRUE;
      return TRUE;
    case PSN_RESET:
      OnReset();
      *result = 0;
      return TRUE;
    default:
      return CWnd::OnNotify(wParam, lParam, result);
  }
}

BOOL CPropertyPage::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_INITDIALOG) {
    *result = OnInitDialog();
    return TRUE;
  }
  return CWnd::OnWndMsg(message, wParam, lParam, result);
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandlePermanent(hwnd);
  if (!wnd && message == WM_INITDIALOG && lParam) {
    const PROPSHEETPAGEW* psp = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    CPropertyPage* page = reinterpret_cast<CPropertyPage*>(psp->lParam);
    if (page && page->Attach(hwnd)) wnd = page;
  }
  if (!wnd) return message == WM_INITDIALOG ? TRUE : FALSE;
  return DispatchDialogMessage(wnd, message, wParam, lParam);
}
