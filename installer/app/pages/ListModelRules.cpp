#include "ListModelRules.h"

#include <algorithm>

#include "TWKResource.h"

const char16_t kManufacturerSection[] = u"Manufacturer";
const char16_t kDecoration64[] = u".NTamd64";

namespace {

// Lower case of ASCII and Latin-1 capitals; other characters compare as they are.
char16_t Fold(char16_t c) {
  if (c >= u'A' && c <= u'Z') return char16_t(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return char16_t(c + 32);
  return c;
}

bool EqualFolded(const char16_t* a, const char16_t* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

bool EqualIgnoringCase(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() && EqualFolded(a.data(), b.data(), a.size());
}

}  // namespace

bool NamesNTamd64(const std::vector<std::u16string>& values) {
  const std::u16string decoration(kDecoration64 + 1);  // without the dot
  return std::any_of(values.begin(), values.end(),
                     [&](const std::u16string& v) { return EqualIgnoringCase(v, decoration); });
}

std::vector<Manufacturer> ReadManufacturers(const std::vector<InfLine>& lines) {
  std::vector<Manufacturer> manufacturers;
  for (const InfLine& line : lines) {
    if (line.key.empty()) continue;
    manufacturers.push_back(Manufacturer{line.key, NamesNTamd64(line.values)});
  }
  return manufacturers;
}

std::vector<std::u16string> ReadModels(const std::vector<std::u16string>& keys) {
  std::vector<std::u16string> models;
  for (const std::u16string& key : keys) {
    if (key.empty()) continue;
    if (std::find(models.begin(), models.end(), key) == models.end()) models.push_back(key);
  }
  return models;
}

std::u16string ModelsSectionOf(const Manufacturer& manufacturer, bool windows64) {
  return manufacturer.decorated && windows64 ? manufacturer.name + kDecoration64 : manufacturer.name;
}

std::u16string WithoutDecoration(const std::u16string& section) {
  const std::u16string decoration(kDecoration64);
  if (section.size() >= decoration.size() &&
      EqualFolded(section.data() + section.size() - decoration.size(), decoration.data(),
                  decoration.size())) {
    return section.substr(0, section.size() - decoration.size());
  }
  return section;
}

int FindItemByPrefix(const std::vector<std::u16string>& items, const std::u16string& prefix) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].size() >= prefix.size() && EqualFolded(items[i].data(), prefix.data(), prefix.size())) {
      return int(i);
    }
  }
  return -1;
}

int FindItemToReselect(const std::vector<std::u16string>& texts,
                       const std::vector<std::u16string>& values, const std::u16string& stored,
                       const std::u16string& prefix) {
  if (!stored.empty()) {
    for (size_t i = 0; i < values.size() && i < texts.size(); ++i) {
      if (values[i] == stored) return int(i);
    }
  }
  return FindItemByPrefix(texts, prefix);
}

std::optional<std::u16string> PrefillModelPrinterName(const ModelPrefillInput& input) {
  if (input.radioQueues == IDC_LISTQUEUES_CHECKED) return input.serverName;
  if (input.radioQueues == IDC_LISTQUEUES_OTHER ||
      input.radioSearch == IDC_NETSEARCH_OTHER) {
    if (!input.printerName.empty()) return input.printerName;
    return input.selectedModel.value_or(std::u16string());
  }
  return std::nullopt;
}

std::optional<std::u16string> ModelNameSuggestion(bool singlePort,
                                                  const std::optional<std::u16string>& selectedModel) {
  if (singlePort && selectedModel && !selectedModel->empty()) return selectedModel;
  return std::nullopt;
}

ModelRefusal CheckModelNext(bool modelSelected, const std::u16string& printerName,
                            const twk::setup::WindowsKind& kind) {
  if (!modelSelected) return ModelRefusal::NoModel;
  switch (CheckPrinterName(printerName, kind)) {
    case PrinterNameProblem::Empty:
      return ModelRefusal::EmptyName;
    case PrinterNameProblem::TooLong:
      return ModelRefusal::NameTooLong;
    case PrinterNameProblem::None:
      break;
  }
  return ModelRefusal::None;
}

bool IsDriverInstalled(const std::vector<std::u16string>& installedDrivers,
                       const std::u16string& model) {
  return std::find(installedDrivers.begin(), installedDrivers.end(), model) != installedDrivers.end();
}

int32_t ModelNextPage(bool driverInstalled) {
  return driverInstalled ? IDD_EXISTDRIVER : IDD_COMPLETE;
}
