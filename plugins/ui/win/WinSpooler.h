// The custom-paper seam (CustomPapers.h) bound to winspool: one opened printer's
// "LastCustomPapers" value, device extents and forms, and opening printers by name with
// full access.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CustomPapers.h"

namespace qv {
namespace ui {
namespace win {

// GetVersionExW's platform is VER_PLATFORM_WIN32_WINDOWS; computed once per process.
bool IsWin9x();

std::u16string ToU16(const wchar_t* text);  // null -> empty
std::wstring ToWide(const std::u16string& text);

class WinPaperSpooler final : public PaperSpooler {
 public:
  // owns: ClosePrinter at destruction (printers this plug-in opened itself).
  WinPaperSpooler(HANDLE printer, bool owns) : printer_(printer), owns_(owns) {}
  ~WinPaperSpooler() override;
  WinPaperSpooler(const WinPaperSpooler&) = delete;
  WinPaperSpooler& operator=(const WinPaperSpooler&) = delete;

  HANDLE handle() const { return printer_; }
  // Hands the handle over to the caller, who closes it.
  HANDLE Detach();

  bool QueryValueSize(std::uint32_t* size) override;
  bool ReadValue(std::uint8_t* buffer, std::uint32_t size, std::uint32_t* read) override;
  bool WriteValue(const std::uint8_t* data, std::uint32_t size) override;
  bool QueryExtent(ExtentKind kind, std::int32_t* answer) override;
  bool FindForm(const std::u16string& name, PaperForm* form) override;
  void ReplaceForm(const PaperForm& form) override;
  void CreateForm(const PaperForm& form) override;
  bool EnumFormNames(std::vector<std::u16string>* names) override;

 private:
  HANDLE printer_;
  bool owns_;
};

// Opens with PRINTER_ALL_ACCESS and lists the local printers (EnumPrintersW level 4,
// level 5 on Windows 9x). Open answers a WinPaperSpooler that owns its handle.
class WinPrinterDirectory final : public PrinterDirectory {
 public:
  std::unique_ptr<PaperSpooler> Open(const std::u16string& name) override;
  std::vector<std::u16string> LocalPrinterNames() override;
};

}  // namespace win
}  // namespace ui
}  // namespace qv
