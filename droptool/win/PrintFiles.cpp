#include "PrintFiles.h"

#include <winspool.h>

#include <sys/stat.h>
#include <sys/types.h>

#include <vector>

#include "AfxMessageBox.h"
#include "DruxText.h"
#include "Utf16.h"

namespace {

HANDLE H(drux::SpoolerApi::Printer p) { return static_cast<HANDLE>(p); }

drux::CallResult LastFailure() { return drux::CallResult::Failed(::GetLastError()); }

// Directories, character devices and pipes are no printable files.
bool StatRegular(const wchar_t* path, uint64_t* size) {
  struct _stat64 st;
  if (_wstat64(path, &st) != 0) return false;
  if (st.st_mode & (_S_IFDIR | _S_IFCHR | _S_IFIFO)) return false;
  *size = uint64_t(st.st_size);
  return true;
}

}  // namespace

void ShowPrintError(DWORD code, const CString& caption) {
  wchar_t* text = nullptr;
  ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                       FORMAT_MESSAGE_ALLOCATE_BUFFER,
                   nullptr, code, 0x0400, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  ::MessageBoxW(nullptr, text ? text : L"", caption, MB_ICONINFORMATION);
  if (text) ::LocalFree(text);
}

bool IsRegularFile(const CString& path) {
  uint64_t size = 0;
  return StatRegular(path, &size);
}

bool QueryRegularFile(const wchar_t* path, uint64_t* size) { return StatRegular(path, size); }

BOOL WriteToPrinter(HANDLE printer, const void* data, DWORD length) {
  // Only the error box and its caption are used; no window is created.
  drux::WinSpooler spooler;
  drux::WinPrintUi ui(nullptr);
  return drux::WriteToPrinter(spooler, ui, printer, static_cast<const uint8_t*>(data), length);
}

void PrintFiles(const CString& printerName, const CStringList& files, CWnd* owner) {
  drux::WinSpooler spooler;
  drux::PrintFilesWith(spooler, printerName, files, owner);
}

namespace drux {

bool WinSpooler::IsWin9x() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  static_assert(sizeof(OSVERSIONINFOW) == 276, "OSVERSIONINFOW is 276 bytes");
  return ::GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

CallResult WinSpooler::OpenQueue(const std::u16string& name, Printer* printer) {
  PRINTER_DEFAULTSW defaults{const_cast<LPWSTR>(L"RAW"), nullptr,
                             PRINTER_ACCESS_USE | READ_CONTROL};
  static_assert((PRINTER_ACCESS_USE | READ_CONTROL) == 0x20008, "access mask");
  HANDLE h = nullptr;
  if (!::OpenPrinterW(const_cast<LPWSTR>(W(name)), &h, &defaults) || !h) return LastFailure();
  *printer = h;
  return CallResult::Ok();
}

void WinSpooler::CloseQueue(Printer printer) { ::ClosePrinter(H(printer)); }

CallResult WinSpooler::StartDocument(Printer printer, const std::u16string& documentName, int level) {
  DWORD job = 0;
  if (level == 2) {
    DOC_INFO_2W info{const_cast<LPWSTR>(W(documentName)), nullptr, const_cast<LPWSTR>(L"RAW"), 0, 0};
    job = ::StartDocPrinterW(H(printer), 2, reinterpret_cast<BYTE*>(&info));
  } else {
    DOC_INFO_1W info{const_cast<LPWSTR>(W(documentName)), nullptr, const_cast<LPWSTR>(L"RAW")};
    job = ::StartDocPrinterW(H(printer), 1, reinterpret_cast<BYTE*>(&info));
  }
  if (job == 0) return LastFailure();
  lastJobId = job;
  return CallResult::Ok();
}

CallResult WinSpooler::StartPage(Printer printer) {
  if (!::StartPagePrinter(H(printer))) return LastFailure();
  return CallResult::Ok();
}

CallResult WinSpooler::Write(Printer printer, const uint8_t* data, uint32_t length,
                             uint32_t* written) {
  DWORD n = 0;
  if (!::WritePrinter(H(printer), const_cast<uint8_t*>(data), length, &n)) return LastFailure();
  *written = n;
  return CallResult::Ok();
}

void WinSpooler::EndPage(Printer printer) { ::EndPagePrinter(H(printer)); }
void WinSpooler::EndDoc(Printer printer) { ::EndDocPrinter(H(printer)); }
void WinSpooler::Abort(Printer printer) { ::AbortPrinter(H(printer)); }

bool WinSpooler::QueryRegularFile(const std::u16string& path, uint64_t* size) {
  return StatRegular(W(path), size);
}

CallResult WinSpooler::OpenFile(const std::u16string& path, File* file) {
  // Shared for reading and writing like the C runtime's "rb", but with the system's
  // own error code when the file cannot be opened.
  HANDLE h = ::CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastFailure();
  *file = h;
  return CallResult::Ok();
}

CallResult WinSpooler::ReadFile(File file, uint8_t* buffer, uint32_t length, uint32_t* got) {
  // ReadFile may answer fewer bytes than asked before the end; only a read of 0 bytes
  // marks the end. The run takes a short chunk for the end of the file, so the chunk
  // is filled here, or the rest of the file would be left out of the job.
  uint32_t total = 0;
  while (total < length) {
    DWORD n = 0;
    if (!::ReadFile(static_cast<HANDLE>(file), buffer + total, length - total, &n, nullptr))
      return LastFailure();
    if (n == 0) break;
    total += n;
  }
  *got = total;
  return CallResult::Ok();
}

void WinSpooler::CloseFile(File file) { ::CloseHandle(static_cast<HANDLE>(file)); }

void WinPrintUi::CreateProgress() {
  // A window that cannot be created leaves the run without one; it prints anyway.
  if (dialog_.CreateAndShow() && owner_ && owner_->m_hWnd) dialog_.CenterWindow(owner_->m_hWnd);
}

bool WinPrintUi::Due(int64_t* last, double ms) {
  static const double ticksPerMs = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return double(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  if (*last != 0 && double(now.QuadPart - *last) < ms * ticksPerMs) return false;
  *last = now.QuadPart == 0 ? 1 : now.QuadPart;
  return true;
}

void WinPrintUi::SetRange(uint64_t total) {
  total_ = total;
  lastShow_ = 0;
  dialog_.SetRange(total);
}

void WinPrintUi::SetPos(uint64_t done) {
  if (done >= total_ || Due(&lastShow_, kShowMs)) dialog_.SetPos(done);
}

void WinPrintUi::PollMessages() {
  if (Due(&lastPoll_, kPollMs)) dialog_.PumpMessages();
}

void WinPrintUi::SetCountText(const std::u16string& text) { dialog_.SetCountText(ToCString(text)); }

void WinPrintUi::SetFileText(const std::u16string& text) { dialog_.SetFileText(ToCString(text)); }

void WinPrintUi::ShowProgress() {
  if (dialog_.m_hWnd) dialog_.ShowWindow(SW_SHOW);
}

void WinPrintUi::DestroyProgress() {
  if (dialog_.m_hWnd) dialog_.DestroyWindow();
}

void WinPrintUi::ShowPrintError(uint32_t code, const std::u16string& caption) {
  ::ShowPrintError(code, ToCString(caption));
}

bool WinPrintUi::AskYesNo(const std::u16string& question) {
  return AfxMessageBox(W(question), MB_YESNO, dialog_.m_hWnd) == IDYES;
}

std::u16string WinPrintUi::LoadText(const TextKey& key) { return ToU16(drux::LoadText(key)); }

void PrintFilesWith(SpoolerApi& spooler, const CString& printerName, const CStringList& files,
                    CWnd* owner) {
  std::vector<std::u16string> paths;
  paths.reserve(size_t(files.GetCount()));
  for (POSITION pos = files.GetHeadPosition(); pos;) paths.push_back(ToU16(files.GetNext(pos)));
  WinPrintUi ui(owner);
  RunPrintJobs(spooler, ui, ToU16(printerName), paths);
}

}  // namespace drux
