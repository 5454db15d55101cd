#include "PrintEngine.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "DocumentName.h"
#include "TextFormat.h"

namespace drux {

namespace {

// The code is the one the failing call left (CallResult carries it from right after
// the call), so looking up the caption cannot overwrite it.
void ShowFailure(PrintUi& ui, const CallResult& result, uint32_t fallbackCode,
                 const TextKey& caption) {
  const uint32_t code = result.error != 0 ? result.error : fallbackCode;
  ui.ShowPrintError(code, ui.LoadText(caption));
}

struct Run {
  Run(SpoolerApi& s, PrintUi& u, SpoolerApi::Printer p) : spooler(s), ui(u), printer(p) {}
  SpoolerApi& spooler;
  PrintUi& ui;
  SpoolerApi::Printer printer;
  uint64_t done = 0;
  bool stopAll = false;
  uint8_t buffer[kChunkSize];

  // One job from StartDoc to its end; the file is open and stays open.
  void PrintOne(SpoolerApi::File file, const std::u16string& path, bool win9x, bool last) {
    CallResult r = spooler.StartDocument(printer, MakeDocumentName(path), win9x ? 2 : 1);
    if (!r.ok) {
      ShowFailure(ui, r, kErrorGenFailure, texts::kErrStartDoc);
      return;
    }
    bool abortJob = false;
    r = spooler.StartPage(printer);
    if (!r.ok) {
      ShowFailure(ui, r, kErrorGenFailure, texts::kErrStartPage);
      spooler.EndDoc(printer);
      return;
    }
    // Ends at end of file, at a failed read or write, or at cancel. A failed read or
    // write deletes the job below, so no truncated file reaches the printer.
    for (;;) {
      ui.PollMessages();
      if (ui.CancelRequested()) break;
      uint32_t got = 0;
      r = spooler.ReadFile(file, buffer, kChunkSize, &got);
      if (!r.ok) {
        ShowFailure(ui, r, kErrorReadFault, texts::kErrOpenFile);
        abortJob = true;
        break;
      }
      got = std::min(got, kChunkSize);
      // Nothing of an earlier chunk stays behind the bytes read. Only a short read
      // leaves such a tail, so full chunks cost no clearing.
      std::memset(buffer + got, 0, kChunkSize - got);
      done += got;
      ui.SetPos(done);
      if (!WriteToPrinter(spooler, ui, printer, buffer, got)) {
        abortJob = true;
        break;
      }
      if (got < kChunkSize) break;
    }
    ui.PumpMessages();
    if (ui.CancelRequested()) abortJob = true;
    ui.PumpMessages();
    // A cancel that arrives in this last pump still deletes the job.
    if (ui.CancelRequested()) {
      abortJob = true;
      if (!last) {
        if (ui.AskYesNo(ui.LoadText(texts::kAbortAll))) stopAll = true;
        ui.ClearCancel();
      }
    }
    spooler.EndPage(printer);
    if (abortJob) spooler.Abort(printer);
    else spooler.EndDoc(printer);
  }
};

}  // namespace

bool WriteToPrinter(SpoolerApi& spooler, PrintUi& ui, SpoolerApi::Printer printer,
                    const uint8_t* data, uint32_t length) {
  uint32_t offset = 0;
  for (;;) {
    uint32_t written = 0;
    CallResult r = spooler.Write(printer, data + offset, length - offset, &written);
    // Success with nothing written would repeat forever; it is a failure.
    if (r.ok && written == 0 && offset < length) r = CallResult::Failed(kErrorWriteFault);
    if (!r.ok) {
      ShowFailure(ui, r, kErrorWriteFault, texts::kErrWrite);
      return false;
    }
    offset += std::min(written, length - offset);
    if (offset >= length) return true;
  }
}

void RunPrintJobs(SpoolerApi& spooler, PrintUi& ui, const std::u16string& printerName,
                  const std::vector<std::u16string>& files) {
  // Our own copy: on Windows 9x the printer is opened again after each file, and the
  // caller's text may change while messages are pumped.
  const std::u16string name = printerName;
  const bool win9x = spooler.IsWin9x();
  SpoolerApi::Printer printer = nullptr;
  CallResult r = spooler.OpenQueue(name, &printer);
  if (!r.ok) {
    ShowFailure(ui, r, kErrorGenFailure, texts::kErrOpenPrinter);
    return;
  }

  std::vector<std::u16string> paths;
  std::vector<uint64_t> sizes;
  uint64_t total = 0;
  for (const std::u16string& path : files) {
    uint64_t size = 0;
    if (!spooler.QueryRegularFile(path, &size)) continue;
    paths.push_back(path);
    sizes.push_back(size);
    total += size;
  }
  if (paths.empty()) {
    spooler.CloseQueue(printer);
    return;
  }

  ui.CreateProgress();
  ui.SetRange(total);
  const std::u16string countFormat = ui.LoadText(texts::kPrintFromTo);
  const std::u16string fileFormat = ui.LoadText(texts::kPrintFileInfo);

  // The run's state, 32 KB chunk buffer included, lives on the heap.
  std::unique_ptr<Run> run(new Run(spooler, ui, printer));
  bool printerOpen = true;
  const size_t n = paths.size();
  for (size_t k = 0; k < n && !run->stopAll; ++k) {
    const size_t i = k + 1;
    ui.SetCountText(FormatTextOr(countFormat, texts::kPrintFromTo.fallback, {i, n}));
    ui.SetFileText(FormatTextOr(fileFormat, texts::kPrintFileInfo.fallback, {paths[k]}));
    SpoolerApi::File file = nullptr;
    r = spooler.OpenFile(paths[k], &file);
    if (!r.ok) {
      ShowFailure(ui, r, kErrorGenFailure, texts::kErrOpenFile);
      run->done += sizes[k];
      continue;
    }
    ui.ShowProgress();
    run->PrintOne(file, paths[k], win9x, i == n);
    spooler.CloseFile(file);
    if (win9x) {
      spooler.CloseQueue(run->printer);
      printerOpen = false;
      r = spooler.OpenQueue(name, &run->printer);
      if (!r.ok) {
        ShowFailure(ui, r, kErrorGenFailure, texts::kErrOpenPrinter);
        break;
      }
      printerOpen = true;
    }
  }
  ui.DestroyProgress();
  if (printerOpen) spooler.CloseQueue(run->printer);
}

}  // namespace drux
