// Test doubles for the custom-paper seam: one printer's data value, device extents and
// forms (FakePrinter), and a set of printers opened by name (FakeDirectory). Forms
// behave as on Windows (Wine's are stubs), so form synchronisation is shown here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CustomPapers.h"

namespace qvtest {

using qv::ui::ExtentKind;
using qv::ui::PaperForm;

struct FakePrinter {
  // "LastCustomPapers"; nullopt: absent.
  std::optional<std::vector<std::uint8_t>> value;
  bool writeFails = false;
  std::optional<std::uint32_t> readReportsSize;  // a read that reports another size
  int valueWrites = 0;

  // DeviceCapabilities answers (low word width, high word length, tenths of mm).
  bool infoReadable = true;  // GetPrinterW level 5
  std::int32_t maxAnswer = 0;
  std::int32_t minAnswer = 0;

  std::vector<PaperForm> forms;  // spooler order
  bool formsReadable = true;
  std::vector<std::u16string> added, updated;

  const PaperForm* Form(const std::u16string& name) const {
    for (const PaperForm& f : forms)
      if (f.name == name) return &f;
    return nullptr;
  }
};

// Answer of DeviceCapabilities for width w and length l.
constexpr std::int32_t ExtentAnswer(std::uint16_t w, std::uint16_t l) {
  return static_cast<std::int32_t>((std::uint32_t{l} << 16) | w);
}

class FakePaperSpooler : public qv::ui::PaperSpooler {
 public:
  FakePaperSpooler(FakePrinter* p, int* closes = nullptr) : p_(p), closes_(closes) {}
  ~FakePaperSpooler() override {
    if (closes_) ++*closes_;
  }
  bool QueryValueSize(std::uint32_t* size) override {
    if (!p_->value) return false;
    *size = static_cast<std::uint32_t>(p_->value->size());
    return true;
  }
  bool ReadValue(std::uint8_t* buffer, std::uint32_t size, std::uint32_t* read) override {
    if (!p_->value) return false;
    if (p_->readReportsSize) {
      *read = *p_->readReportsSize;
      return true;
    }
    if (size < p_->value->size()) return false;
    std::copy(p_->value->begin(), p_->value->end(), buffer);
    *read = static_cast<std::uint32_t>(p_->value->size());
    return true;
  }
  bool WriteValue(const std::uint8_t* data, std::uint32_t size) override {
    ++p_->valueWrites;
    if (p_->writeFails) return false;
    p_->value = std::vector<std::uint8_t>(data, data + size);
    return true;
  }
  bool QueryExtent(ExtentKind kind, std::int32_t* answer) override {
    if (!p_->infoReadable) return false;
    *answer = kind == ExtentKind::Maximum ? p_->maxAnswer : p_->minAnswer;
    return true;
  }
  bool FindForm(const std::u16string& name, PaperForm* form) override {
    const PaperForm* f = p_->Form(name);
    if (!f) return false;
    *form = *f;
    return true;
  }
  void ReplaceForm(const PaperForm& form) override {
    p_->updated.push_back(form.name);
    for (PaperForm& f : p_->forms)
      if (f.name == form.name) f = form;
  }
  void CreateForm(const PaperForm& form) override {
    p_->added.push_back(form.name);
    p_->forms.push_back(form);
  }
  bool EnumFormNames(std::vector<std::u16string>* names) override {
    if (!p_->formsReadable) return false;
    for (const PaperForm& f : p_->forms) names->push_back(f.name);
    return true;
  }

 private:
  FakePrinter* p_;
  int* closes_;
};

class FakeDirectory : public qv::ui::PrinterDirectory {
 public:
  std::map<std::u16string, FakePrinter> printers;
  std::vector<std::u16string> enumeration;     // LocalPrinterNames' answer
  std::vector<std::u16string> refused;         // exist but do not open
  std::vector<std::u16string> openAttempts;
  int closes = 0;

  std::unique_ptr<qv::ui::PaperSpooler> Open(const std::u16string& name) override {
    openAttempts.push_back(name);
    for (const auto& r : refused)
      if (r == name) return nullptr;
    auto it = printers.find(name);
    if (it == printers.end()) return nullptr;
    return std::make_unique<FakePaperSpooler>(&it->second, &closes);
  }
  std::vector<std::u16string> LocalPrinterNames() override { return enumeration; }
};

}  // namespace qvtest
