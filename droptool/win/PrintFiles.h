// The RAW print engine on Windows: winspool, the Win32 file API and the progress
// window behind the seams of the portable print run.
#pragma once

#include <windows.h>

#include <cstdint>

#include "CString.h"
#include "CWnd.h"
#include "PrintEngine.h"
#include "ProgressDlg.h"

// Sends every regular file of files, in order, to the local printer as one RAW job
// each, with the progress window; owner (may be nullptr) is disabled meanwhile and
// the window is centred on it. The caller's list is not changed.
void PrintFiles(const CString& printerName, const CStringList& files, CWnd* owner);

// True when _wstat64 succeeds on path and it is no directory, character device or pipe.
bool IsRegularFile(const CString& path);
// IsRegularFile, and the file's size in *size when it is one.
bool QueryRegularFile(const wchar_t* path, uint64_t* size);

// Writes the whole buffer to the open job (an error box when WritePrinter fails; a
// call that writes nothing counts as failed). A length of 0 makes one call of 0 bytes.
BOOL WriteToPrinter(HANDLE printer, const void* data, DWORD length);

// The system's text for code in a box with caption, the information icon and no owner.
void ShowPrintError(DWORD code, const CString& caption);

namespace drux {

// The spooler and file calls of the Windows build. Each failing call's code is taken
// with GetLastError right after it.
class WinSpooler : public SpoolerApi {
public:
  bool IsWin9x() override;
  CallResult OpenQueue(const std::u16string& name, Printer* printer) override;
  void CloseQueue(Printer printer) override;
  CallResult StartDocument(Printer printer, const std::u16string& documentName, int level) override;
  CallResult StartPage(Printer printer) override;
  CallResult Write(Printer printer, const uint8_t* data, uint32_t length,
                   uint32_t* written) override;
  void EndPage(Printer printer) override;
  void EndDoc(Printer printer) override;
  void Abort(Printer printer) override;
  bool QueryRegularFile(const std::u16string& path, uint64_t* size) override;
  CallResult OpenFile(const std::u16string& path, File* file) override;
  CallResult ReadFile(File file, uint8_t* buffer, uint32_t length, uint32_t* got) override;
  void CloseFile(File file) override;

  DWORD lastJobId = 0;  // of the last StartDoc that succeeded
};

// The progress window, the boxes and the tool's texts.
class WinPrintUi : public PrintUi {
public:
  explicit WinPrintUi(CWnd* owner) : owner_(owner), dialog_(owner) {}
  void CreateProgress() override;
  void SetRange(uint64_t total) override;
  void SetPos(uint64_t done) override;
  void PumpMessages() override { dialog_.PumpMessages(); }
  void PollMessages() override;
  void SetCountText(const std::u16string& text) override;
  void SetFileText(const std::u16string& text) override;
  void ShowProgress() override;
  bool CancelRequested() override { return dialog_.m_bCancel != FALSE; }
  void ClearCancel() override { dialog_.m_bCancel = FALSE; }
  void DestroyProgress() override;
  void ShowPrintError(uint32_t code, const std::u16string& caption) override;
  bool AskYesNo(const std::u16string& question) override;
  std::u16string LoadText(const TextKey& key) override;

  CProgressDlg& Dialog() { return dialog_; }

private:
  // Under a message pump a chunk spools in far less time than a pump or a repaint of
  // the bar takes, so between chunks messages are served at most every kPollMs and
  // the bar is moved at most every kShowMs; Cancel still answers at once to the eye.
  static constexpr double kPollMs = 10;
  static constexpr double kShowMs = 50;
  static bool Due(int64_t* last, double ms);
  CWnd* owner_;
  CProgressDlg dialog_;
  uint64_t total_ = 0;
  int64_t lastPoll_ = 0;
  int64_t lastShow_ = 0;
};

// PrintFiles over a given spooler seam (tests put a recording one in between).
void PrintFilesWith(SpoolerApi& spooler, const CString& printerName, const CStringList& files,
                    CWnd* owner);

}  // namespace drux
