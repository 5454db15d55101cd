#include "TWKApp.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "AutoCloser.h"
#include "InstallerTexts.h"
#include "PrintServerNet.h"
#include "StartupDiscovery.h"
#include "TWKResource.h"
#include "TWKSheet.h"
#include "TextLookupWin.h"
#include "WinVersion.h"
#include "HandOff.h"
#include "HeaderBitmap.h"

MessageBoxFunction g_messageBox = &::MessageBoxW;

namespace {

// The application object lives on the heap and is never destroyed: the discovery
// thread may still be running when the program exits, and nothing it can reach
// through the application may go away under it. The thread itself writes only into
// its own share of the state's thread server list (see DiscoveryThread).
CTWKAppRetail* const g_theApp = new CTWKAppRetail;

CString ProgramTitle() { return LoadText(twk::texts::kProgramName); }

}  // namespace

CTWKAppRetail& TheApp() { return *g_theApp; }
InstallerState& TheState() { return g_theApp->m_state; }

CTWKAppRetail::CTWKAppRetail() = default;
CTWKAppRetail::~CTWKAppRetail() = default;

void ShowError(CWnd* page, const wchar_t* text) {
  g_messageBox(page ? page->m_hWnd : nullptr, text ? text : L"", ProgramTitle(), MB_ICONERROR);
}

bool ShowSystemError(DWORD code) {
  if (code == 0) return false;
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text), 0,
      nullptr);
  const bool shown = length > 0 && text && text[0] != L'\0';
  if (shown) g_messageBox(nullptr, text, ProgramTitle(), MB_ICONERROR);
  if (text) ::LocalFree(text);
  return shown;
}

BOOL CTWKAppRetail::InitInstance() {
  if (Is64BitWindows()) {
    auto kernel = MakeAutoCloser<HMODULE>(nullptr, &::FreeLibrary);
    kernel->handle = ::LoadLibraryW(L"kernel32.dll");
    if (kernel->handle) {
      using DisableRedirection = BOOL(WINAPI*)(PVOID*);
      auto disable = reinterpret_cast<DisableRedirection>(
          reinterpret_cast<void*>(::GetProcAddress(kernel->handle, "Wow64DisableWow64FsRedirection")));
      PVOID previous = nullptr;  // not kept: redirection stays off for the run
      if (disable) disable(&previous);
    }
  }
#ifndef _WIN64
  if (Is64BitWindows()) {
    HRSRC program = ::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TARNWICK64),
                                    RT_RCDATA);
    const DWORD code = program ? RunX64Build(program) : ::GetLastError();
    if (code != 0) ShowSystemError(code);
    return FALSE;
  }
#endif
  // The network library's exit-time clean-up (ICMP.DLL and its own socket start-up).
  std::atexit(&NetworkExitCleanup);
  ::InitCommonControls();
  CWinApp::InitInstance();
  InitSockets();  // failing here is not fatal: the search page can still search
  SetRegistryKey(LoadText(twk::texts::kCompany));

  HBITMAP watermark = static_cast<HBITMAP>(
      ::LoadImageW(m_hInstance, MAKEINTRESOURCEW(IDB_WATERMARK), IMAGE_BITMAP, 0, 0, 0));
  std::vector<uint8_t> headerPixels;
  HBITMAP header = LoadHeaderBitmap(m_hInstance, headerPixels);
  {
    CTWKSheet sheet(ProgramTitle(), watermark, header);
    m_pMainWnd = &sheet;

    // The thread gets its own share of the list (freed by the thread).
    auto* share = new std::shared_ptr<PrintServerList>(m_state.threadServers);
    m_state.discoveryThread = ::CreateThread(nullptr, 0, &DiscoveryThread, share, 0, nullptr);
    if (!m_state.discoveryThread) delete share;

    sheet.DoModal();
    if (m_pMainWnd == &sheet) m_pMainWnd = nullptr;
  }
  headerPixels.clear();
  if (header) ::DeleteObject(header);
  if (watermark) ::DeleteObject(watermark);
  return FALSE;
}
