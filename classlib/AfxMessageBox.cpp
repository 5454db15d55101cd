#include "AfxMessageBox.h"

#include "CWinApp.h"

CString AfxGetAppName() {
  if (CWinApp* app = AfxGetApp()) {
    if (!app->m_strAppName.IsEmpty()) return app->m_strAppName;
  }
  wchar_t module[MAX_PATH + 1] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, module, MAX_PATH);
  CString name(module, int(n > MAX_PATH ? MAX_PATH : n));
  const int slash = name.ReverseFind(L'\\');
  if (slash >= 0) name = name.Mid(slash + 1);
  const int dot = name.ReverseFind(L'.');
  if (dot > 0) name = name.Left(dot);
  return name;
}

int AfxMessageBox(LPCWSTR text, UINT type, HWND owner) {
  if ((type & MB_ICONMASK) == 0) {
    const UINT buttons = type & MB_TYPEMASK;
    type |= buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? MB_ICONQUESTION
                                                              : MB_ICONEXCLAMATION;
  }
  if (!owner) {
    HWND active = ::GetActiveWindow();
    if (active) owner = ::GetLastActivePopup(::GetAncestor(active, GA_ROOTOWNER));
  }
  const CString caption = AfxGetAppName();
  return ::MessageBoxW(owner, text ? text : L"", caption, type);
}
