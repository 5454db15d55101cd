#include "FakePrintSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace druxtest {

std::string Narrow(const std::u16string& s) {
  std::string r;
  for (char16_t c : s) r += c < 0x80 ? char(c) : '?';
  return r;
}

uint8_t FakeByte(const std::u16string& path, uint64_t offset) {
  return uint8_t((offset * 7 + path.size() * 13 + offset / 251) & 0xFF);
}

void FakePrintSystem::CheckPrinter(Printer printer) {
  EXPECT_TRUE(open_.count(printer)) << "call on a printer handle that is not open";
}

drux::CallResult FakePrintSystem::OpenQueue(const std::u16string& name, Printer* printer) {
  log.push_back("OpenPrinter " + Narrow(name));
  auto f = openPrinterFails.find(++openCalls_);
  if (f != openPrinterFails.end()) return drux::CallResult::Failed(f->second);
  *printer = reinterpret_cast<Printer>(intptr_t(nextHandle_++));
  open_.insert(*printer);
  ++openHandles;
  return drux::CallResult::Ok();
}

void FakePrintSystem::CloseQueue(Printer printer) {
  log.push_back("ClosePrinter");
  CheckPrinter(printer);
  open_.erase(printer);
  --openHandles;
}

drux::CallResult FakePrintSystem::StartDocument(Printer printer, const std::u16string& name,
                                           int level) {
  CheckPrinter(printer);
  log.push_back("StartDoc " + Narrow(name) + " L" + std::to_string(level));
  auto f = startDocFails.find(++startDocs_);
  if (f != startDocFails.end()) return drux::CallResult::Failed(f->second);
  EXPECT_TRUE(jobs.empty() || !jobs.back().end.empty()) << "job started inside a job";
  jobs.push_back(Job{Narrow(name), level, {}, {}});
  writesInJob_ = 0;
  return drux::CallResult::Ok();
}

drux::CallResult FakePrintSystem::StartPage(Printer printer) {
  CheckPrinter(printer);
  log.push_back("StartPage");
  auto f = startPageFails.find(++startPages_);
  if (f != startPageFails.end()) return drux::CallResult::Failed(f->second);
  return drux::CallResult::Ok();
}

drux::CallResult FakePrintSystem::Write(Printer printer, const uint8_t* data, uint32_t length,
                                        uint32_t* written) {
  CheckPrinter(printer);
  log.push_back("Write " + std::to_string(length));
  ++writes_;
  if (++writesInJob_ == 1 && int(jobs.size()) == cancelAtFirstWriteOfJob) cancel = true;
  auto f = writeFails.find(writes_);
  if (f != writeFails.end()) return drux::CallResult::Failed(f->second);
  if (writeNothing.count(writes_)) {
    *written = 0;
    return drux::CallResult::Ok();
  }
  const uint32_t take = halfWrites ? (length + 1) / 2 : length;
  jobs.back().data.insert(jobs.back().data.end(), data, data + take);
  *written = take;
  return drux::CallResult::Ok();
}

void FakePrintSystem::EndPage(Printer printer) {
  CheckPrinter(printer);
  log.push_back("EndPage");
}

void FakePrintSystem::EndDoc(Printer printer) {
  CheckPrinter(printer);
  log.push_back("EndDoc");
  if (!jobs.empty() && jobs.back().end.empty()) jobs.back().end = "EndDoc";
}

void FakePrintSystem::Abort(Printer printer) {
  CheckPrinter(printer);
  log.push_back("Abort");
  if (!jobs.empty() && jobs.back().end.empty()) jobs.back().end = "Abort";
}

bool FakePrintSystem::QueryRegularFile(const std::u16string& path, uint64_t* size) {
  ++queries;
  auto f = files.find(path);
  if (f == files.end() || !f->second.regular) return false;
  *size = f->second.size;
  return true;
}

drux::CallResult FakePrintSystem::OpenFile(const std::u16string& path, File* file) {
  log.push_back("OpenFile " + Narrow(path));
  const FakeFile& f = files.at(path);
  if (f.openError) return drux::CallResult::Failed(f.openError);
  static int next = 1;
  *file = reinterpret_cast<File>(intptr_t(0x1000 + next++));
  openFiles_[*file] = OpenFileState{path, 0, 0};
  return drux::CallResult::Ok();
}

drux::CallResult FakePrintSystem::ReadFile(File file, uint8_t* buffer, uint32_t length,
                                           uint32_t* got) {
  OpenFileState& s = openFiles_.at(file);
  const FakeFile& f = files.at(s.path);
  if (++s.reads == f.readFailAt) return drux::CallResult::Failed(f.readError);
  const uint64_t n = std::min<uint64_t>(length, f.size - s.offset);
  for (uint64_t i = 0; i < n; ++i) buffer[i] = FakeByte(s.path, s.offset + i);
  s.offset += n;
  *got = uint32_t(n);
  return drux::CallResult::Ok();
}

void FakePrintSystem::CloseFile(File file) {
  log.push_back("CloseFile");
  EXPECT_EQ(1u, openFiles_.erase(file));
}

void FakePrintSystem::PumpMessages() {
  if (cancelAtPump.count(++pumps)) cancel = true;
}

void FakePrintSystem::ShowPrintError(uint32_t code, const std::u16string& caption) {
  log.push_back("Error " + std::to_string(code) + " " + Narrow(caption));
}

bool FakePrintSystem::AskYesNo(const std::u16string& question) {
  log.push_back("Ask " + Narrow(question));
  return answerYes;
}

std::u16string FakePrintSystem::LoadText(const drux::TextKey& key) {
  auto t = translations.find(key.key);
  return t != translations.end() ? t->second : std::u16string(key.fallback);
}

}  // namespace druxtest
