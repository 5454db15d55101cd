// What the spooler and the colour system hold after an installation, read back by the
// Wine tests of the setup back-end and of the wizard: printers, ports, drivers and
// colour-profile associations.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

namespace spoolertest {

struct PrinterInfo {
  bool found = false;
  std::wstring port, driver;
  DWORD attributes = 0;
};

inline PrinterInfo ReadPrinter(const std::wstring& name) {
  PrinterInfo info;
  HANDLE printer = nullptr;
  std::wstring copy = name;
  if (!OpenPrinterW(&copy[0], &printer, nullptr)) return info;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed + 1);
  if (GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
    const auto* p = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    info.found = true;
    info.port = p->pPortName ? p->pPortName : L"";
    info.driver = p->pDriverName ? p->pDriverName : L"";
    info.attributes = p->Attributes;
  }
  ClosePrinter(printer);
  return info;
}

inline std::vector<std::wstring> LocalPrinterNames() {
  std::vector<std::wstring> names;
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, buffer.data(), needed, &needed, &count)) return names;
  const auto* p = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.push_back(p[i].pPrinterName);
  return names;
}

inline void DeleteAllPrinters() {
  for (const std::wstring& name : LocalPrinterNames()) {
    HANDLE printer = nullptr;
    std::wstring copy = name;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterW(&copy[0], &printer, &defaults)) {
      DeletePrinter(printer);
      ClosePrinter(printer);
    }
  }
}

inline std::vector<std::wstring> PortNames() {
  std::vector<std::wstring> names;
  DWORD needed = 0, count = 0;
  EnumPortsW(nullptr, 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumPortsW(nullptr, 1, buffer.data(), needed, &needed, &count)) return names;
  const auto* p = reinterpret_cast<const PORT_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.push_back(p[i].pName);
  return names;
}

inline bool DriverInstalled(const wchar_t* model) {
  DWORD needed = 0, count = 0;
  EnumPrinterDriversW(nullptr, nullptr, 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumPrinterDriversW(nullptr, nullptr, 1, buffer.data(), needed, &needed, &count)) return false;
  const auto* d = reinterpret_cast<const DRIVER_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    if (lstrcmpW(d[i].pName, model) == 0) return true;
  return false;
}

// Wine keeps colour-profile associations as values named after the profile under
// HKLM\...\ICM\<profile class>, for every device alike.
inline bool ProfileAssociated(const wchar_t* profile) {
  HKEY icm;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\ICM", 0, KEY_READ, &icm))
    return false;
  bool found = false;
  wchar_t cls[64];
  for (DWORD i = 0; !found; ++i) {
    DWORD length = 64;
    if (RegEnumKeyExW(icm, i, cls, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY key;
    if (RegOpenKeyExW(icm, cls, 0, KEY_READ, &key) == ERROR_SUCCESS) {
      found = RegQueryValueExW(key, profile, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
      RegCloseKey(key);
    }
  }
  RegCloseKey(icm);
  return found;
}

}  // namespace spoolertest
