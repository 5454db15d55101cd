#include "WineHarness.h"

#include <winspool.h>

#include <cstdio>

namespace druxtest {

namespace {

thread_local BoxWatcher* t_watcher = nullptr;

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

CaptureDir MakeCaptureDir(const char* tag) {
  // Inside the prefix, so the directory goes with the test's own prefix; Wine's
  // kernel32 tells its Unix name.
  using UnixName = char*(CDECL*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  wchar_t name[128];
  std::swprintf(name, 128, L"C:\\drux-%hs-%lu", tag, ::GetCurrentProcessId());
  ::CreateDirectoryW(name, nullptr);
  char* unix = unixName ? unixName(name) : nullptr;
  CaptureDir d{name, unix ? unix : ""};
  if (unix) ::HeapFree(::GetProcessHeap(), 0, unix);
  return d;
}

std::string JobFileCommand(const CaptureDir& dir) {
  // Jobs are delivered one at a time inside EndDocPrinter, so counting the files
  // already there numbers them in order.
  return "|n=$(ls '" + dir.unixPath + "' | wc -l); cat > '" + dir.unixPath +
         "'/job$(printf %03d $n).bin";
}

bool AddCapturePrinter(const wchar_t* printerName, const wchar_t* portName,
                       const std::string& command, std::wstring* error) {
  wchar_t dir[MAX_PATH] = {};
  DWORD need = 0;
  if (!::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                                    &need)) {
    *error = L"GetPrinterDriverDirectoryW " + std::to_wstring(::GetLastError());
    return false;
  }
  // Not a loadable DLL: Wine then leaves the driver's property sheets alone.
  const std::wstring config = std::wstring(dir) + L"\\druxtest.cfg";
  if (!WriteFileBytes(config, {'c', 'f', 'g'})) {
    *error = L"config file";
    return false;
  }
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<LPWSTR>(L"DRUX Test Driver");
  driver.pDriverPath = const_cast<LPWSTR>(config.c_str());
  driver.pDataFile = const_cast<LPWSTR>(config.c_str());
  driver.pConfigFile = const_cast<LPWSTR>(config.c_str());
  if (!::AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) {
    *error = L"AddPrinterDriverW " + std::to_wstring(::GetLastError());
    return false;
  }
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Printing\\Spooler", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    *error = L"Spooler key";
    return false;
  }
  const std::wstring cmd = Widen(command);
  ::RegSetValueExW(key, portName, 0, REG_SZ, reinterpret_cast<const BYTE*>(cmd.c_str()),
                   DWORD((cmd.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
  PRINTER_INFO_2W info{};
  info.pPrinterName = const_cast<LPWSTR>(printerName);
  info.pPortName = const_cast<LPWSTR>(portName);
  info.pDriverName = driver.pName;
  info.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
  info.pDatatype = const_cast<LPWSTR>(L"RAW");
  HANDLE printer = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!printer) {
    *error = L"AddPrinterW " + std::to_wstring(::GetLastError());
    return false;
  }
  ::ClosePrinter(printer);
  return true;
}

std::vector<std::vector<uint8_t>> ReadJobs(const CaptureDir& dir) {
  std::vector<std::vector<uint8_t>> jobs;
  for (int i = 0;; ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"\\job%03d.bin", i);
    HANDLE h = ::CreateFileW((dir.windowsPath + name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) break;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    DWORD n = 0;
    while (::ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n) bytes.insert(bytes.end(), buffer, buffer + n);
    ::CloseHandle(h);
    jobs.push_back(std::move(bytes));
  }
  return jobs;
}

void ClearJobs(const CaptureDir& dir) {
  for (int i = 0; i < 1000; ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"\\job%03d.bin", i);
    if (!::DeleteFileW((dir.windowsPath + name).c_str())) break;
  }
}

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  const BOOL ok = bytes.empty() || ::WriteFile(h, bytes.data(), DWORD(bytes.size()), &n, nullptr);
  ::CloseHandle(h);
  return ok && n == bytes.size();
}

std::wstring SystemText(DWORD code) {
  wchar_t* text = nullptr;
  ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                       FORMAT_MESSAGE_ALLOCATE_BUFFER,
                   nullptr, code, 0x0400, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring s = text ? text : L"";
  if (text) ::LocalFree(text);
  return s;
}

drux::CallResult RecordingSpooler::OpenQueue(const std::u16string& name, Printer* printer) {
  drux::CallResult r = WinSpooler::OpenQueue(name, printer);
  if (r.ok) ++opens;
  return r;
}

void RecordingSpooler::CloseQueue(Printer printer) {
  ++closes;
  WinSpooler::CloseQueue(printer);
}

drux::CallResult RecordingSpooler::StartDocument(Printer printer, const std::u16string& name,
                                                 int level) {
  ++documentsStarted;
  drux::CallResult r = WinSpooler::StartDocument(printer, name, level);
  if (r.ok) {
    BYTE buffer[4096] = {};
    DWORD need = 0;
    if (::GetJobW(static_cast<HANDLE>(printer), lastJobId, 1, buffer, sizeof buffer, &need)) {
      documentNames.push_back(reinterpret_cast<JOB_INFO_1W*>(buffer)->pDocument);
    } else {
      documentNames.push_back(L"<GetJobW failed>");
    }
  }
  return r;
}

drux::CallResult RecordingSpooler::Write(Printer printer, const uint8_t* data, uint32_t length,
                                         uint32_t* written) {
  ++writes;
  if (onWrite) onWrite(writes);
  return WinSpooler::Write(printer, data, length, written);
}

BoxWatcher::BoxWatcher(int answer) : yesNoAnswer(answer) {
  t_watcher = this;
  hook_ = ::SetWindowsHookExW(WH_CBT, &BoxWatcher::Hook, nullptr, ::GetCurrentThreadId());
}

BoxWatcher::~BoxWatcher() {
  if (hook_) ::UnhookWindowsHookEx(hook_);
  t_watcher = nullptr;
}

namespace {

BOOL CALLBACK LongestStatic(HWND child, LPARAM param) {
  wchar_t cls[32] = {};
  ::GetClassNameW(child, cls, 32);
  if (_wcsicmp(cls, L"Static") != 0) return TRUE;
  wchar_t text[2048] = {};
  ::GetWindowTextW(child, text, 2048);
  std::wstring* best = reinterpret_cast<std::wstring*>(param);
  if (wcslen(text) > best->size()) *best = text;
  return TRUE;
}

}  // namespace

LRESULT CALLBACK BoxWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  BoxWatcher* w = t_watcher;
  if (w && code == HCBT_CREATEWND) {
    const CBT_CREATEWNDW* c = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
    if (!(c->lpcs->style & WS_CHILD)) ++w->topLevelWindowsCreated;
  }
  if (w && code == HCBT_ACTIVATE) {
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    if (::GetDlgItem(hwnd, 1002)) ++w->progressWindowsActivated;
    const bool yesNo = ::GetDlgItem(hwnd, IDYES) != nullptr;
    if ((::GetDlgItem(hwnd, IDOK) || yesNo) && !::GetDlgItem(hwnd, 1002)) {
      Box box;
      wchar_t caption[512] = {};
      ::GetWindowTextW(hwnd, caption, 512);
      box.caption = caption;
      ::EnumChildWindows(hwnd, &LongestStatic, reinterpret_cast<LPARAM>(&box.text));
      w->boxes.push_back(box);
      ::PostMessageW(hwnd, WM_COMMAND, yesNo ? w->yesNoAnswer : IDOK, 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {

BOOL CALLBACK FindProgress(HWND hwnd, LPARAM param) {
  if (::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, 1002) && ::GetDlgItem(hwnd, 1003)) {
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindProgressWindow() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindProgress, reinterpret_cast<LPARAM>(&found));
  return found;
}

void RunWithUnmanagedWindows() {
  const wchar_t* kKey = L"Software\\Wine\\X11 Driver";
  wchar_t value[8] = {};
  DWORD size = sizeof value;
  if (::RegGetValueW(HKEY_CURRENT_USER, kKey, L"Managed", RRF_RT_REG_SZ, nullptr, value, &size) ==
          ERROR_SUCCESS &&
      (value[0] == L'N' || value[0] == L'n')) {
    return;
  }
  if (::GetEnvironmentVariableW(L"DRUX_TEST_RESTARTED", nullptr, 0) != 0) return;  // once only
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    return;
  }
  ::RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"),
                   2 * sizeof(wchar_t));
  ::RegCloseKey(key);
  ::SetEnvironmentVariableW(L"DRUX_TEST_RESTARTED", L"1");
  std::wstring line = ::GetCommandLineW();
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
    return;  // run here, only slower
  ::WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(pi.hProcess, &code);
  ::ExitProcess(code);
}

HWND MakeOwnerWindow() {
  HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE | WS_CAPTION, 10, 10,
                                400, 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  return hwnd;
}

}  // namespace druxtest
