// One fake behind both seams of the print run, so spooler calls, file calls and
// window/box calls land in one log in the order the run makes them.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "PrintEngine.h"

namespace druxtest {

std::string Narrow(const std::u16string& s);

struct FakeFile {
  uint64_t size = 0;
  bool regular = true;      // false: a directory
  uint32_t openError = 0;   // nonzero: OpenFile fails with it
  int readFailAt = 0;       // 1-based read of this file that fails, 0 never
  uint32_t readError = 0;
};

// The bytes of a fake file: a pattern that shifts per file so mixed-up data shows.
uint8_t FakeByte(const std::u16string& path, uint64_t offset);

struct Job {
  std::string name;
  int level = 0;
  std::vector<uint8_t> data;
  std::string end;  // "EndDoc" or "Abort", empty while open
};

class FakePrintSystem : public drux::SpoolerApi, public drux::PrintUi {
public:
  // --- script ---
  bool win9x = false;
  std::map<std::u16string, FakeFile> files;
  std::map<int, uint32_t> openPrinterFails;  // n-th OpenPrinter call -> code
  std::map<int, uint32_t> startDocFails;     // n-th StartDoc -> code
  std::map<int, uint32_t> startPageFails;    // n-th StartPage -> code
  std::map<int, uint32_t> writeFails;        // n-th Write (whole run) -> code (0 allowed)
  std::set<int> writeNothing;                // n-th Write reports success, writes 0 bytes
  bool halfWrites = false;                   // every Write takes at most half (rounded up)
  int cancelAtFirstWriteOfJob = 0;           // the user cancels while job k's first chunk goes
  std::set<int> cancelAtPump;                // ... or on these pumps (1-based, whole run)
  bool answerYes = false;
  std::map<std::u16string, std::u16string> translations;

  // --- what happened ---
  std::vector<std::string> log;
  std::vector<Job> jobs;
  int openHandles = 0;
  int queries = 0;
  int pumps = 0;
  uint64_t range = 0;
  uint64_t pos = 0;
  std::vector<std::string> countTexts;
  bool cancel = false;

  // SpoolerApi
  bool IsWin9x() override { return win9x; }
  drux::CallResult OpenQueue(const std::u16string& name, Printer* printer) override;
  void CloseQueue(Printer printer) override;
  drux::CallResult StartDocument(Printer printer, const std::u16string& documentName,
                            int level) override;
  drux::CallResult StartPage(Printer printer) override;
  drux::CallResult Write(Printer printer, const uint8_t* data, uint32_t length,
                         uint32_t* written) override;
  void EndPage(Printer printer) override;
  void EndDoc(Printer printer) override;
  void Abort(Printer printer) override;
  bool QueryRegularFile(const std::u16string& path, uint64_t* size) override;
  drux::CallResult OpenFile(const std::u16string& path, File* file) override;
  drux::CallResult ReadFile(File file, uint8_t* buffer, uint32_t length, uint32_t* got) override;
  void CloseFile(File file) override;

  // PrintUi
  void CreateProgress() override { log.push_back("Create"); }
  void SetRange(uint64_t total) override { range = total; }
  void SetPos(uint64_t done) override { pos = done; }
  void PumpMessages() override;
  void PollMessages() override { PumpMessages(); }
  void SetCountText(const std::u16string& text) override { countTexts.push_back(Narrow(text)); }
  void SetFileText(const std::u16string&) override {}
  void ShowProgress() override {}
  bool CancelRequested() override { return cancel; }
  void ClearCancel() override { cancel = false; }
  void DestroyProgress() override { log.push_back("Destroy"); }
  void ShowPrintError(uint32_t code, const std::u16string& caption) override;
  bool AskYesNo(const std::u16string& question) override;
  std::u16string LoadText(const drux::TextKey& key) override;

private:
  void CheckPrinter(Printer printer);
  std::set<Printer> open_;
  int nextHandle_ = 1;
  int openCalls_ = 0, startDocs_ = 0, startPages_ = 0, writes_ = 0, writesInJob_ = 0;
  struct OpenFileState {
    std::u16string path;
    uint64_t offset = 0;
    int reads = 0;
  };
  std::map<File, OpenFileState> openFiles_;
};

}  // namespace druxtest
