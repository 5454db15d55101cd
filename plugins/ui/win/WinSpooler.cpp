#include "WinSpooler.h"

#include <winspool.h>

#include <atomic>

namespace qv {
namespace ui {
namespace win {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");

// The printer data value holding the custom papers.
const wchar_t kValueName[] = L"LastCustomPapers";

// The spooler's prototypes take writable strings they do not write.
LPWSTR Writable(const wchar_t* text) { return const_cast<LPWSTR>(text); }

FORM_INFO_1W ToFormInfo(const PaperForm& form, const std::wstring& name) {
  FORM_INFO_1W info{};
  info.Flags = form.flags;
  info.pName = Writable(name.c_str());
  info.Size.cx = form.width;
  info.Size.cy = form.length;
  info.ImageableArea.left = form.left;
  info.ImageableArea.top = form.top;
  info.ImageableArea.right = form.right;
  info.ImageableArea.bottom = form.bottom;
  return info;
}

}  // namespace

bool IsWin9x() {
  // 0 not yet known, 1 no, 2 yes. Computing it twice is harmless.
  static std::atomic<int> cached{0};
  int known = cached.load(std::memory_order_relaxed);
  if (known == 0) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    const bool win9x = ::GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    known = win9x ? 2 : 1;
    cached.store(known, std::memory_order_relaxed);
  }
  return known == 2;
}

std::u16string ToU16(const wchar_t* text) {
  if (text == nullptr) return std::u16string();
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

std::wstring ToWide(const std::u16string& text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

WinPaperSpooler::~WinPaperSpooler() {
  if (owns_ && printer_ != nullptr) ::ClosePrinter(printer_);
}

HANDLE WinPaperSpooler::Detach() {
  HANDLE printer = printer_;
  printer_ = nullptr;
  return printer;
}

bool WinPaperSpooler::QueryValueSize(std::uint32_t* size) {
  DWORD type = 0, needed = 0;
  BYTE probe = 0;
  const DWORD rc = ::GetPrinterDataW(printer_, Writable(kValueName), &type, &probe, 0, &needed);
  if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return false;
  *size = needed;
  return true;
}

bool WinPaperSpooler::ReadValue(std::uint8_t* buffer, std::uint32_t size, std::uint32_t* read) {
  DWORD type = 0, needed = 0;
  if (::GetPrinterDataW(printer_, Writable(kValueName), &type, buffer, size, &needed) !=
      ERROR_SUCCESS) {
    return false;
  }
  *read = needed;
  return true;
}

bool WinPaperSpooler::WriteValue(const std::uint8_t* data, std::uint32_t size) {
  return ::SetPrinterDataW(printer_, Writable(kValueName), REG_BINARY, const_cast<BYTE*>(data),
                           size) == ERROR_SUCCESS;
}

bool WinPaperSpooler::QueryExtent(ExtentKind kind, std::int32_t* answer) {
  DWORD needed = 0;
  ::GetPrinterW(printer_, 5, nullptr, 0, &needed);
  if (needed < sizeof(PRINTER_INFO_5W)) return false;
  std::vector<BYTE> buffer(needed);
  if (!::GetPrinterW(printer_, 5, buffer.data(), needed, &needed)) return false;
  const PRINTER_INFO_5W* info = reinterpret_cast<const PRINTER_INFO_5W*>(buffer.data());
  if (info->pPrinterName == nullptr) return false;
  *answer = ::DeviceCapabilitiesW(info->pPrinterName, info->pPortName,
                                  kind == ExtentKind::Maximum ? DC_MAXEXTENT : DC_MINEXTENT,
                                  nullptr, nullptr);
  return true;
}

bool WinPaperSpooler::FindForm(const std::u16string& name, PaperForm* form) {
  const std::wstring wide = ToWide(name);
  DWORD needed = 0;
  BYTE probe = 0;
  if (::GetFormW(printer_, Writable(wide.c_str()), 1, &probe, 0, &needed) ||
      needed < sizeof(FORM_INFO_1W)) {
    return false;  // no such form
  }
  std::vector<BYTE> buffer(needed);
  if (!::GetFormW(printer_, Writable(wide.c_str()), 1, buffer.data(), needed, &needed)) {
    return false;
  }
  const FORM_INFO_1W* info = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
  form->name = name;
  form->flags = info->Flags;
  form->width = info->Size.cx;
  form->length = info->Size.cy;
  form->left = info->ImageableArea.left;
  form->top = info->ImageableArea.top;
  form->right = info->ImageableArea.right;
  form->bottom = info->ImageableArea.bottom;
  return true;
}

void WinPaperSpooler::ReplaceForm(const PaperForm& form) {
  const std::wstring name = ToWide(form.name);
  FORM_INFO_1W info = ToFormInfo(form, name);
  ::SetFormW(printer_, Writable(name.c_str()), 1, reinterpret_cast<BYTE*>(&info));
}

void WinPaperSpooler::CreateForm(const PaperForm& form) {
  const std::wstring name = ToWide(form.name);
  FORM_INFO_1W info = ToFormInfo(form, name);
  ::AddFormW(printer_, 1, reinterpret_cast<BYTE*>(&info));
}

bool WinPaperSpooler::EnumFormNames(std::vector<std::u16string>* names) {
  DWORD needed = 0, returned = 0;
  ::EnumFormsW(printer_, 1, nullptr, 0, &needed, &returned);
  if (needed == 0) return false;
  std::vector<BYTE> buffer(needed);
  if (!::EnumFormsW(printer_, 1, buffer.data(), needed, &needed, &returned)) return false;
  if (std::uint64_t{returned} * sizeof(FORM_INFO_1W) > buffer.size()) return false;
  const FORM_INFO_1W* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) names->push_back(ToU16(forms[i].pName));
  return true;
}

std::unique_ptr<PaperSpooler> WinPrinterDirectory::Open(const std::u16string& name) {
  const std::wstring wide = ToWide(name);
  PRINTER_DEFAULTSW defaults{};
  defaults.DesiredAccess = PRINTER_ALL_ACCESS;
  HANDLE printer = nullptr;
  if (!::OpenPrinterW(Writable(wide.c_str()), &printer, &defaults) || printer == nullptr) {
    return nullptr;
  }
  return std::make_unique<WinPaperSpooler>(printer, true);
}

std::vector<std::u16string> WinPrinterDirectory::LocalPrinterNames() {
  const DWORD level = IsWin9x() ? 5 : 4;
  DWORD needed = 0, returned = 0;
  ::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, level, nullptr, 0, &needed, &returned);
  std::vector<std::u16string> names;
  if (needed == 0) return names;
  // Zeroed and one byte larger than asked for.
  std::vector<BYTE> buffer(std::size_t{needed} + 1, 0);
  if (!::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, level, buffer.data(), needed, &needed,
                       &returned)) {
    return names;
  }
  const std::size_t entry = level == 5 ? sizeof(PRINTER_INFO_5W) : sizeof(PRINTER_INFO_4W);
  if (std::uint64_t{returned} * entry > buffer.size()) return names;
  for (DWORD i = 0; i < returned; ++i) {
    const wchar_t* name =
        level == 5 ? reinterpret_cast<const PRINTER_INFO_5W*>(buffer.data())[i].pPrinterName
                   : reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data())[i].pPrinterName;
    if (name != nullptr) names.push_back(ToU16(name));
  }
  return names;
}

}  // namespace win
}  // namespace ui
}  // namespace qv
