#include "TWKApp.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "AutoCloser.h"
#include "PrintServerNet.h"
#include "StartupDiscovery.h"
#include "TWKResource.h"
#include "TWKSheet.h"
#include "TextLookupWin.h"
#include "WinVersion.h"
#include "WizardCore.h"

MessageBoxFunction g_messageBox = &::MessageBoxW;

namespace {

// The application object lives on the heap and is never destroyed: the discovery
// thread may still be running when the program exits, and nothing it can reach
// through the application may go away under it. The thread itself writes only into
// its own share of the state's thread server list (see DiscoveryThread).
CTWKAppRetail* const g_theApp = new CTWKAppRetail;

CString ProgramTitle() { return LoadText(L"IDS_PROGNAME", L"Tarnwick"); }

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

HBITMAP LoadHeaderBitmap(HINSTANCE module, std::vector<uint8_t>& pixels) {
  pixels.clear();
  HBITMAP header = static_cast<HBITMAP>(
      ::LoadImageW(module, MAKEINTRESOURCEW(IDB_HEADER), IMAGE_BITMAP, 49, 49, LR_CREATEDIBSECTION));
  if (!header) return nullptr;
  BITMAP info{};
  ::GetObjectW(header, sizeof info, &info);
  if (info.bmWidthBytes <= 0 || info.bmHeight <= 0) return header;
  pixels.assign(size_t(info.bmWidthBytes) * size_t(info.bmHeight) + 1, 0);
  const LONG read = ::GetBitmapBits(header, LONG(pixels.size()), pixels.data());
  if (read > 0) {
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    RecolourTeal(pixels.data(), size_t(read), size_t(info.bmWidth),
                 BitmapBitsStride(size_t(info.bmWidth), info.bmBitsPixel), GetRValue(window),
                 GetGValue(window), GetBValue(window));
    ::SetBitmapBits(header, DWORD(read), pixels.data());
  }
  return header;
}

void GetProgramVersion(DWORD& major, DWORD& minor, DWORD& build) {
  std::vector<wchar_t> path(4095 + 1, L'\0');
  ::GetModuleFileNameW(nullptr, path.data(), 4095);
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.data(), &ignored);
  if (size == 0) return;
  std::vector<uint8_t> data(size, 0);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (::GetFileVersionInfoW(path.data(), 0, size, data.data()) &&
      ::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed &&
      fixedSize > 0) {
    const ProgramVersion v = VersionFromFileVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    major = v.major;
    minor = v.minor;
    build = v.build;
  }
}

DWORD WINAPI DiscoveryThread(LPVOID parameter) {
  // The thread's own share of the thread server list: it keeps the list alive until
  // the thread ends, whatever happens to the application object at exit.
  std::unique_ptr<std::shared_ptr<PrintServerList>> servers(
      static_cast<std::shared_ptr<PrintServerList>*>(parameter));
  try {
    if (servers && *servers && InitSockets()) RunStartupDiscovery(**servers);
  } catch (...) {
    // Nothing leaves a thread's start routine; the list then holds what was found.
  }
  return 0;
}

#ifndef _WIN64
namespace {

// The hand-off's system calls.
class Win32HandOff : public HandOffSystem {
public:
  uint32_t LastError() override { return ::GetLastError(); }
  std::u16string TempPath() override {
    wchar_t dir[524] = {};
    ::GetTempPathW(524, dir);
    return U16(dir);
  }
  std::u16string TempFileName(const std::u16string& dir, const std::u16string& prefix) override {
    wchar_t name[MAX_PATH + 1] = {};
    ::GetTempFileNameW(W(dir), W(prefix), 0, name);  // also makes the empty file
    return U16(name);
  }
  uintptr_t CreateForExecute(const std::u16string& name) override {
    HANDLE file = ::CreateFileW(W(name), DELETE | FILE_EXECUTE | FILE_WRITE_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, nullptr);
    return file == INVALID_HANDLE_VALUE ? kInvalid : reinterpret_cast<uintptr_t>(file);
  }
  bool Write(uintptr_t file, const uint8_t* data, size_t size, size_t& written) override {
    DWORD done = 0;
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : DWORD(size);
    BOOL ok = ::WriteFile(reinterpret_cast<HANDLE>(file), data, chunk, &done, nullptr);
    written = done;
    return ok != FALSE;
  }
  void Close(uintptr_t file) override { ::CloseHandle(reinterpret_cast<HANDLE>(file)); }
  void Delete(const std::u16string& name) override { ::DeleteFileW(W(name)); }
  bool StartAndWait(const std::u16string& name) override {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // The command line must be writable for CreateProcessW.
    std::wstring commandLine = ::GetCommandLineW();
    if (!::CreateProcessW(W(name), &commandLine[0], nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                          nullptr, nullptr, &startup, &process)) {
      return false;
    }
    // The exit code is not read; the handles go with this process.
    ::WaitForSingleObject(process.hProcess, INFINITE);
    return true;
  }

private:
  static const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
  static std::u16string U16(const wchar_t* s) { return std::u16string(reinterpret_cast<const char16_t*>(s)); }
};

}  // namespace

DWORD RunX64Build(HRSRC resource) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  const DWORD size = ::SizeofResource(module, resource);
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return ::GetLastError() ? ::GetLastError() : ERROR_RESOURCE_DATA_NOT_FOUND;
  Win32HandOff system;
  return RunHandOff(system, static_cast<const uint8_t*>(bytes), size);
}
#endif

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
  SetRegistryKey(LoadText(L"IDS_COMPANY", L"TAVIK"));

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
