#include "Papers.h"

#include <cstring>

#include "PaperCapabilities.h"
#include "WinSpooler.h"

namespace qv {
namespace ui {
namespace win {
namespace {

// The longest printer name read from the driver's upgrade record.
constexpr std::size_t kMaxPrinterName = 32767;

// A borrowed handle: the caller's, never closed here. Null stays null.
struct Borrowed {
  explicit Borrowed(HANDLE printer) : spooler(printer, false) {}
  PaperSpooler* get() { return spooler.handle() != nullptr ? &spooler : nullptr; }
  WinPaperSpooler spooler;
};

std::u16string BoundedName(const wchar_t* name) {
  if (name == nullptr) return std::u16string();
  std::size_t length = 0;
  while (length < kMaxPrinterName && name[length] != L'\0') ++length;
  return std::u16string(reinterpret_cast<const char16_t*>(name), length);
}

}  // namespace

BOOL HasCustomPapers(HANDLE printer) {
  try {
    Borrowed p(printer);
    return qv::ui::HasCustomPapers(p.get()) ? TRUE : FALSE;
  } catch (...) {
    return FALSE;
  }
}

BOOL LoadCustomPapers(HANDLE printer, CustomPaperList* list) {
  try {
    Borrowed p(printer);
    return qv::ui::LoadCustomPapers(p.get(), list) ? TRUE : FALSE;
  } catch (...) {
    return FALSE;
  }
}

BOOL SaveCustomPapers(HANDLE printer, const CustomPaperList& list) {
  try {
    Borrowed p(printer);
    return qv::ui::SaveCustomPapers(p.get(), list) ? TRUE : FALSE;
  } catch (...) {
    return FALSE;
  }
}

void SyncForm(HANDLE printer, const CustomPaperRecord& record) {
  try {
    Borrowed p(printer);
    qv::ui::SyncForm(p.get(), record);
  } catch (...) {
  }
}

Extent GetMaxExtent(HANDLE printer) {
  try {
    Borrowed p(printer);
    return qv::ui::GetMaxExtent(p.get());
  } catch (...) {
    return Extent{};
  }
}

Extent GetMinExtent(HANDLE printer) {
  try {
    Borrowed p(printer);
    return qv::ui::GetMinExtent(p.get());
  } catch (...) {
    return Extent{};
  }
}

HANDLE OpenPrinterByName(const wchar_t* name) {
  try {
    WinPrinterDirectory directory;
    std::unique_ptr<PaperSpooler> printer = qv::ui::OpenPrinterByName(directory, BoundedName(name));
    // The directory makes only WinPaperSpoolers.
    return printer ? static_cast<WinPaperSpooler*>(printer.get())->Detach() : nullptr;
  } catch (...) {
    return nullptr;
  }
}

void HandlePrinterEvent(const wchar_t* printerName, int /*driverEvent*/) {
  if (printerName == nullptr) return;
  try {
    WinPrinterDirectory directory;
    qv::ui::HandlePrinterEvent(directory, BoundedName(printerName));
  } catch (...) {
  }
}

BOOL HandleUpgradePrinter(DWORD /*level*/, const BYTE* upgradeInfo) {
  if (upgradeInfo == nullptr) return TRUE;
  const wchar_t* name = nullptr;
  std::memcpy(&name, upgradeInfo, sizeof name);
  if (name == nullptr) return TRUE;
  try {
    WinPrinterDirectory directory;
    qv::ui::HandleUpgradePrinter(directory, BoundedName(name));
  } catch (...) {
  }
  return TRUE;
}

DWORD AppendCustomPapers(POEMUIOBJ /*poemuiobj*/, HANDLE printer, const wchar_t* /*deviceName*/,
                         WORD capability, void* output, const DEVMODEW* /*publicDM*/,
                         const void* /*oemDM*/, DWORD dwOld) {
  try {
    Borrowed p(printer);
    return qv::ui::AppendCustomPapers(p.get(), capability, output, dwOld);
  } catch (...) {
    return dwOld;
  }
}

}  // namespace win
}  // namespace ui
}  // namespace qv
