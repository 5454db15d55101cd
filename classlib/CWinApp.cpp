#include "CWinApp.h"

#include <vector>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(LPCWSTR appName) {
  if (appName) m_strAppName = appName;
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

void CWinApp::InitApplication(HINSTANCE instance) {
  m_hInstance = instance;
  if (m_strAppName.IsEmpty()) {
    wchar_t title[256] = {};
    if (::LoadStringW(instance, AFX_IDS_APP_TITLE, title, 256) > 0) m_strAppName = title;
  }
  if (m_strAppName.IsEmpty()) {
    // No title string: the program's file name without directory and extension.
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(instance, path, MAX_PATH);
    CString name(path);
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    int dot = name.ReverseFind(L'.');
    m_strAppName = dot > 0 ? name.Left(dot) : name;
  }
  if (m_strProfileName.IsEmpty()) m_strProfileName = m_strAppName;
}

int CWinApp::Run() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    CWnd* main = m_pMainWnd;
    if (main && main->PreTranslateMessage(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return ExitInstance();
}

void CWinApp::SetRegistryKey(LPCWSTR company) {
  m_strRegistryKey = company ? company : L"";
  m_strProfileName = m_strAppName;
}

HKEY CWinApp::OpenSectionKey(LPCWSTR section, bool create) const {
  if (m_strRegistryKey.IsEmpty() || !section) return nullptr;
  CString path = CString(L"Software\\") + m_strRegistryKey + L"\\" + m_strProfileName + L"\\" + section;
  HKEY key = nullptr;
  LONG rc = create ? ::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                       nullptr, &key, nullptr)
                   : ::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
  return rc == ERROR_SUCCESS ? key : nullptr;
}

CString CWinApp::GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue) const {
  CString fallback(defaultValue);
  HKEY key = OpenSectionKey(section, false);
  if (!key) return fallback;
  CString value = fallback;
  DWORD type = 0, bytes = 0;
  if (::RegQueryValueExW(key, entry, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 2, L'\0');
    DWORD got = DWORD((buffer.size() - 1) * sizeof(wchar_t));
    if (::RegQueryValueExW(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                           &got) == ERROR_SUCCESS) {
      value = CString(buffer.data());  // stops at the first terminator, stored or ours
    }
  }
  ::RegCloseKey(key);
  return value;
}

BOOL CWinApp::WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value) {
  HKEY key = OpenSectionKey(section, true);
  if (!key) return FALSE;
  LONG rc;
  if (value) {
    rc = ::RegSetValueExW(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          DWORD((lstrlenW(value) + 1) * sizeof(wchar_t)));
  } else {
    rc = ::RegDeleteValueW(key, entry);
  }
  ::RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

UINT CWinApp::GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue) const {
  HKEY key = OpenSectionKey(section, false);
  if (!key) return UINT(defaultValue);
  DWORD value = 0, type = 0, bytes = sizeof value;
  UINT result = UINT(defaultValue);
  if (::RegQueryValueExW(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) ==
          ERROR_SUCCESS &&
      type == REG_DWORD && bytes == sizeof value) {
    result = value;
  }
  ::RegCloseKey(key);
  return result;
}

BOOL CWinApp::WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value) {
  HKEY key = OpenSectionKey(section, true);
  if (!key) return FALSE;
  DWORD v = DWORD(value);
  LONG rc = ::RegSetValueExW(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  ::RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() {
  return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

int AfxWinMain(HINSTANCE instance, int /*showCommand*/) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  int code = 0;
  try {
    app->InitApplication(instance);
    if (app->InitInstance()) {
      code = app->Run();
    } else {
      if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
      code = app->ExitInstance();
    }
  } catch (...) {
    // An exception that no handler took (out of memory, a missing resource) ends the
    // program with a failure code rather than unwinding into the C runtime.
    code = -1;
  }
  return code;
}

// The entry point of a program with an application object (linked with -municode).
// It sits beside CWinApp so that a program whose application class derives from
// CWinApp has it without naming it.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  return AfxWinMain(instance, showCommand);
}
