#include "PrintersWin.h"

#include <winspool.h>

#include <cstring>
#include <vector>

#include "AutoCloser.h"
#include "DriverInstallWin.h"
#include "SetupTextWin.h"
#include "WinVersion.h"

using twk::setup::Text;

namespace {

using AddPortExFn = BOOL(WINAPI*)(LPWSTR, DWORD, LPBYTE, LPWSTR);
using AssociateFn = BOOL(WINAPI*)(PCWSTR, PCWSTR, PCWSTR);

template <typename Fn>
Fn Lookup(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

Text Upper(const Text& s) {
  std::vector<wchar_t> copy = Copy(s);
  if (!s.empty()) CharUpperBuffW(copy.data(), DWORD(s.size()));
  return Text(reinterpret_cast<const char16_t*>(copy.data()), s.size());
}

}  // namespace

bool WindowsSpooler::ListLocalPrinterNames(std::vector<Text>& names) {
  std::vector<uint8_t> buffer;
  uint32_t count = 0;
  const bool ok = twk::setup::EnumerateRecords(
      [](uint8_t* data, uint32_t size, uint32_t* needed, uint32_t* returned, uint32_t* error) {
        DWORD n = 0, r = 0;
        const BOOL result = EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 5, data, size, &n, &r);
        *needed = n;
        *returned = r;
        *error = result ? 0 : GetLastError();
        return result != FALSE;
      },
      buffer, count);
  names.clear();
  const auto* records = reinterpret_cast<const PRINTER_INFO_5W*>(buffer.data());
  for (uint32_t i = 0; i < count; ++i) names.push_back(ToU16(records[i].pPrinterName));
  return ok;
}

bool WindowsSpooler::SameName(const Text& a, const Text& b) { return a.size() == b.size() && Upper(a) == Upper(b); }

bool WindowsSpooler::AddLocalPort(const Text& portName) { return ::AddLocalPort(ToCString(portName)); }

void* WindowsSpooler::CreatePrinter(const twk::setup::PrinterRecord& record, uint32_t& error) {
  std::vector<wchar_t> name = Copy(record.printerName), port = Copy(record.portName), driver = Copy(record.driverName),
                       processor = Copy(record.printProcessor);
  PRINTER_INFO_2W info;
  std::memset(&info, 0, sizeof info);
  info.pPrinterName = name.data();
  info.pPortName = port.data();
  info.pDriverName = driver.data();
  info.pPrintProcessor = processor.data();
  info.Attributes = record.attributes;
  // The datatype the installed driver names as its default. Windows takes a
  // missing one as that default; Wine's spooler cannot open a printer without one.
  wchar_t dataType[] = L"RAW";
  info.pDatatype = dataType;
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  if (!printer) error = GetLastError();
  return printer;
}

void WindowsSpooler::AssociateColorProfiles(const std::vector<Text>& profiles, const Text& printerName) {
  CStringList list;
  for (const Text& p : profiles) list.AddTail(ToCString(p));
  ::AssociateColorProfiles(list, ToCString(printerName));
}

void WindowsSpooler::ClosePrinter(void* printer) { ::ClosePrinter(static_cast<HANDLE>(printer)); }

twk::setup::PrintersRequest PrintersRequestFrom(const CString& driverName, const InstallerState& state) {
  twk::setup::PrintersRequest request;
  request.printerName = ToU16(state.printerName);
  request.singlePort = ToU16(state.singlePort);
  request.driverName = ToU16(driverName);
  request.queues = ToU16List(state.queueList);
  request.serverHostName = ToU16(state.serverHostName);
  request.serverAddress = ToU16(state.serverAddress);
  request.serverAnswered = state.serverAnswered;
  request.singlePortFlag = state.singlePortMode;
  request.internetPrinters = state.internetPrinter;
  return request;
}

DWORD AddPrinters(const CString& driverName, const InstallerState& state, const CStringList& colourProfiles) {
  WindowsSpooler spooler;
  return twk::setup::AddPrintersTo(spooler, PrintersRequestFrom(driverName, state), ToU16List(colourProfiles), CurrentWindowsKind());
}

CString MakePortName(const CString& host, const CString& queue, bool internet) {
  return ToCString(twk::setup::MakePortName(ToU16(host), ToU16(queue), internet));
}

bool AddLocalPort(const CString& portName) {
  auto library = MakeAutoCloser<HMODULE, BOOL(WINAPI*)(HMODULE)>(nullptr, FreeLibrary);
  library->handle = LoadLibraryW(L"winspool.drv");
  if (!library->handle) return false;
  auto addPortEx = Lookup<AddPortExFn>(library->handle, "AddPortExW");
  if (!addPortEx) return false;
  std::vector<wchar_t> name = Copy(ToU16(portName));
  wchar_t monitor[] = L"Local Port";
  PORT_INFO_1W info;
  info.pName = name.data();
  return addPortEx(nullptr, 1, reinterpret_cast<LPBYTE>(&info), monitor) != FALSE;
}

bool AddPortWithMonitor(const CString& monitorName, HWND window) {
  std::vector<wchar_t> monitor = Copy(ToU16(monitorName));
  return AddPortW(nullptr, window, monitor.data()) != FALSE;
}

void AssociateColorProfiles(const CStringList& profiles, const CString& printerName) {
  if (IsWin9x() || IsNT4()) return;
  const DWORD saved = GetLastError();
  for (POSITION pos = profiles.GetHeadPosition(); pos;) {
    const CString& profile = profiles.GetNext(pos);
    auto library = MakeAutoCloser<HMODULE, BOOL(WINAPI*)(HMODULE)>(nullptr, FreeLibrary);
    library->handle = LoadLibraryW(L"mscms.dll");
    if (!library->handle) continue;
    if (auto associate = Lookup<AssociateFn>(library->handle, "AssociateColorProfileWithDeviceW"))
      associate(nullptr, profile, printerName);
  }
  SetLastError(saved);
}

bool GetInstalledPrinterInfo(const CString& printerName, InstalledPrinter& record) {
  record.driverName.Empty();
  record.printerName.Empty();
  record.port.Empty();
  std::vector<wchar_t> name = Copy(ToU16(printerName));
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(name.data(), &printer, &defaults) || !printer) return false;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<uint8_t> buffer(needed ? needed : 1, 0);
  const bool ok = needed >= sizeof(PRINTER_INFO_2W) && GetPrinterW(printer, 2, buffer.data(), needed, &needed);
  ClosePrinter(printer);
  if (!ok) return false;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  record.driverName = info->pDriverName;
  record.printerName = info->pPrinterName;
  record.port = info->pPortName;
  return true;
}

CString MakeUniquePrinterName(const CString& baseName, const CString& suffix, bool single) {
  WindowsSpooler spooler;
  return ToCString(twk::setup::MakeUniquePrinterName(ToU16(baseName), ToU16(suffix), single, CurrentWindowsKind(), spooler));
}
