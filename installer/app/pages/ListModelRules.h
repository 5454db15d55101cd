// The model page's rules (page 9): reading manufacturers and models from the lines of
// an INF package, the "NTamd64" decoration of models sections, reselecting the earlier
// choice by prefix, the printer-name pre-fill, the checks of Next and whether the
// model's driver is installed already.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "PrinterNameRules.h"

// One line of an INF section as SetupAPI reads it: its key (field 0) and its value
// fields (fields 1 to the end of the line).
struct InfLine {
  std::u16string key;
  std::vector<std::u16string> values;
};

// A manufacturer of the "Manufacturer" section: its key is both the text shown and the
// name of its models section; `decorated` when a value names "NTamd64".
struct Manufacturer {
  std::u16string name;
  bool decorated = false;
};

extern const char16_t kManufacturerSection[];  // "Manufacturer"
extern const char16_t kDecoration64[];         // ".NTamd64"

// Any value equals "NTamd64", without regard to case.
bool NamesNTamd64(const std::vector<std::u16string>& values);

// One manufacturer per line with a key, in line order; lines with equal keys give
// equal manufacturers (each is listed).
std::vector<Manufacturer> ReadManufacturers(const std::vector<InfLine>& lines);

// The models in line order; a key equal (exactly, case-sensitive) to one taken before
// is left out, and so is an empty key, which can name no driver.
std::vector<std::u16string> ReadModels(const std::vector<std::u16string>& keys);

// The manufacturer's models section: its name, followed by ".NTamd64" when it is
// decorated and the system is 64-bit Windows. There is no fall-back to the
// undecorated section.
std::u16string ModelsSectionOf(const Manufacturer& manufacturer, bool windows64);

// The section name without a trailing ".NTamd64" (compared without regard to case).
std::u16string WithoutDecoration(const std::u16string& section);

// The first item whose text begins with `prefix`, compared without regard to the case
// of ASCII and Latin-1 letters (the list view's partial-string search); -1 when none.
// An empty prefix finds the first item.
int FindItemByPrefix(const std::vector<std::u16string>& items, const std::u16string& prefix);

// The item that shows an earlier choice again: the first whose value (its models
// section, or its text) equals the stored choice exactly, so that of two models whose
// names differ only in case the one chosen comes back; else FindItemByPrefix with
// `prefix`. -1 when neither finds one.
int FindItemToReselect(const std::vector<std::u16string>& texts,
                       const std::vector<std::u16string>& values, const std::u16string& stored,
                       const std::u16string& prefix);

// The printer name the page proposes when it is shown, or nothing when the field keeps
// its text:
// - after the queue page's queues choice: the print server's name;
// - after an other-connection choice (queue page or network-search page): the stored
//   printer name, or else the selected model (empty when none is selected).
struct ModelPrefillInput {
  int32_t radioQueues = 0;  // the queue page's stored choice
  int32_t radioSearch = 0;  // the network-search page's stored choice
  std::u16string serverName;
  std::u16string printerName;
  std::optional<std::u16string> selectedModel;
};
std::optional<std::u16string> PrefillModelPrinterName(const ModelPrefillInput& input);

// After an other-connection choice (one printer on one port) a chosen model is
// proposed as the printer name: the text to put into the name field, or nothing.
std::optional<std::u16string> ModelNameSuggestion(bool singlePort,
                                                  const std::optional<std::u16string>& selectedModel);

enum class ModelRefusal {
  None,
  NoModel,      // "Please select a printer model you want to use."
  EmptyName,    // "Please choose a valid printer name."
  NameTooLong,  // "This is not a valid printer name. It has too many characters."
};

// The checks of Next in their order: a model is selected, then the printer name.
ModelRefusal CheckModelNext(bool modelSelected, const std::u16string& printerName,
                            const twk::setup::WindowsKind& kind);

// A driver of exactly the model's name (case-sensitive) is installed.
bool IsDriverInstalled(const std::vector<std::u16string>& installedDrivers,
                       const std::u16string& model);

// The existing-driver page when the driver is installed, else the Complete page.
int32_t ModelNextPage(bool driverInstalled);
