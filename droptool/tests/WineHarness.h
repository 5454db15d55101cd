// Test helpers for the Windows build under Wine: a printer whose jobs each land in a
// file of their own, a recorder over the real spooler seam, and a watcher that
// records and answers message boxes so that no test waits for a user.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "PrintFiles.h"

namespace druxtest {

// A directory in the prefix's drive C: for one test program, with its Unix name.
struct CaptureDir {
  std::wstring windowsPath;  // C:\drux-...
  std::string unixPath;      // .../drive_c/drux-...
};
CaptureDir MakeCaptureDir(const char* tag);

// Installs a driver (configuration file that is not a DLL) and adds printerName whose
// port writes every job to jobNNN.bin (NNN counting from 000) in dir. False with
// *error set when the spooler refuses.
bool AddCapturePrinter(const wchar_t* printerName, const wchar_t* portName,
                       const std::string& command, std::wstring* error);
std::string JobFileCommand(const CaptureDir& dir);

// The job files of dir in order, each read whole.
std::vector<std::vector<uint8_t>> ReadJobs(const CaptureDir& dir);
void ClearJobs(const CaptureDir& dir);

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
std::wstring SystemText(DWORD code);

// The real spooler seam with a record of what went through it.
class RecordingSpooler : public drux::WinSpooler {
public:
  int opens = 0, closes = 0, writes = 0;
  int documentsStarted = 0;  // StartDocPrinterW calls, also failed ones
  std::vector<std::wstring> documentNames;  // as the spooler holds them (GetJobW)
  std::function<void(int write)> onWrite;    // before the n-th WritePrinter (1-based)

  drux::CallResult OpenQueue(const std::u16string& name, Printer* printer) override;
  void CloseQueue(Printer printer) override;
  drux::CallResult StartDocument(Printer printer, const std::u16string& documentName,
                                 int level) override;
  drux::CallResult Write(Printer printer, const uint8_t* data, uint32_t length,
                         uint32_t* written) override;
};

// Records every message box of this thread (caption, text) and closes it with
// answer (IDOK boxes always with IDOK). Also counts top-level windows created.
class BoxWatcher {
public:
  struct Box {
    std::wstring caption;
    std::wstring text;
  };
  explicit BoxWatcher(int yesNoAnswer = IDNO);
  ~BoxWatcher();
  std::vector<Box> boxes;
  int topLevelWindowsCreated = 0;
  int progressWindowsActivated = 0;
  int yesNoAnswer;

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  HHOOK hook_ = nullptr;
};

// Windows under Xvfb have no window manager; a window that Wine "manages" waits about
// 2 s for its answer each time it is hidden or destroyed. Wine reads the setting that
// turns this off when the process starts, so when the prefix lacks it this sets it and
// runs the program again as a child, ending with the child's exit code.
void RunWithUnmanagedWindows();

// The visible progress window of this thread (a dialog with control 1002), or nullptr.
HWND FindProgressWindow();

// A plain visible top-level window to own the progress window.
HWND MakeOwnerWindow();

}  // namespace druxtest
