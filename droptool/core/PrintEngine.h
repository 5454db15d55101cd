// The RAW print run: every regular file of a list becomes one spooler job of
// datatype "RAW" on one printer, with progress, cancel and an error box per failure.
//
// The run is plain C++ over two seams: SpoolerApi (the spooler's job calls and the
// file calls) and PrintUi (progress window, message boxes, texts). The Windows build
// binds them to winspool, the Win32 file API and the progress window; tests bind them
// to fakes that script failures and cancels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DruxTexts.h"

namespace drux {

// Bytes per read and per WritePrinter call.
constexpr uint32_t kChunkSize = 0x8000;

// Windows error codes shown when a failing call left no code of its own, so that a
// failure is never shown with the system's text for success.
constexpr uint32_t kErrorWriteFault = 29;  // ERROR_WRITE_FAULT
constexpr uint32_t kErrorReadFault = 30;   // ERROR_READ_FAULT
constexpr uint32_t kErrorGenFailure = 31;  // ERROR_GEN_FAILURE

// Outcome of one seam call; error is the code the failing call left behind (taken
// right after it, before anything else can overwrite it), 0 when it left none.
struct CallResult {
  bool ok;
  uint32_t error;
  static CallResult Ok() { return {true, 0}; }
  static CallResult Failed(uint32_t error) { return {false, error}; }
};

class SpoolerApi {
public:
  using Printer = void*;
  using File = void*;
  virtual ~SpoolerApi() = default;

  // True on Windows 9x: document-info level 2, and the printer is closed and opened
  // again after each file.
  virtual bool IsWin9x() = 0;
  // Opens the printer for RAW jobs with the printer's own defaults.
  virtual CallResult OpenQueue(const std::u16string& name, Printer* printer) = 0;
  virtual void CloseQueue(Printer printer) = 0;
  // Starts a RAW document with document info of the given level (1 or 2).
  virtual CallResult StartDocument(Printer printer, const std::u16string& documentName,
                              int level) = 0;
  virtual CallResult StartPage(Printer printer) = 0;
  // One WritePrinter call; *written is the count the spooler reports.
  virtual CallResult Write(Printer printer, const uint8_t* data, uint32_t length,
                           uint32_t* written) = 0;
  virtual void EndPage(Printer printer) = 0;
  virtual void EndDoc(Printer printer) = 0;
  virtual void Abort(Printer printer) = 0;

  // True when path names a file (no directory, device or pipe); *size is its length.
  virtual bool QueryRegularFile(const std::u16string& path, uint64_t* size) = 0;
  virtual CallResult OpenFile(const std::u16string& path, File* file) = 0;
  // Reads up to length bytes; fewer than length (and no failure) means end of file.
  virtual CallResult ReadFile(File file, uint8_t* buffer, uint32_t length, uint32_t* got) = 0;
  virtual void CloseFile(File file) = 0;
};

class PrintUi {
public:
  virtual ~PrintUi() = default;
  // The progress window. When it could not be created the other calls do nothing
  // and the run goes on without it.
  virtual void CreateProgress() = 0;
  virtual void SetRange(uint64_t total) = 0;
  // After each chunk read: pumps messages, then moves the bar. A binding may leave out
  // calls that follow the previous one within a few milliseconds (the last position
  // of the range is always shown).
  virtual void SetPos(uint64_t done) = 0;
  // Serves every waiting message.
  virtual void PumpMessages() = 0;
  // The pump before each chunk; like SetPos, a binding may leave it out when a pump
  // ran a few milliseconds ago. Before a job ends the run always uses PumpMessages,
  // so a cancel that is waiting then is seen.
  virtual void PollMessages() { PumpMessages(); }
  virtual void SetCountText(const std::u16string& text) = 0;
  virtual void SetFileText(const std::u16string& text) = 0;
  virtual void ShowProgress() = 0;
  virtual bool CancelRequested() = 0;
  virtual void ClearCancel() = 0;
  // Removes the window and gives its owner back.
  virtual void DestroyProgress() = 0;

  // The error box: the system's text for code as body, caption as caption.
  virtual void ShowPrintError(uint32_t code, const std::u16string& caption) = 0;
  // The Yes/No question with the program's name as caption; true for Yes.
  virtual bool AskYesNo(const std::u16string& question) = 0;
  // The tool's text for a key (translated when the language file has it).
  virtual std::u16string LoadText(const TextKey& key) = 0;
};

// Sends every regular file of files, in order, to the printer as one RAW job each.
void RunPrintJobs(SpoolerApi& spooler, PrintUi& ui, const std::u16string& printerName,
                  const std::vector<std::u16string>& files);

// Writes the whole buffer to the open job, with an error box when WritePrinter fails.
// A call that reports success but writes nothing while bytes remain is a failure too.
// A length of 0 makes exactly one call of 0 bytes. Returns false on failure.
bool WriteToPrinter(SpoolerApi& spooler, PrintUi& ui, SpoolerApi::Printer printer,
                    const uint8_t* data, uint32_t length);

}  // namespace drux
