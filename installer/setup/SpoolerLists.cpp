#include "SpoolerLists.h"

#include <winspool.h>

#include <vector>

#include "Printers.h"

namespace {

// Runs `enumerate` (a spooler enumeration with the usual buffer, size, needed and
// returned arguments) and appends the `name` of each returned record of type R.
template <typename R, typename Enumerate>
bool CollectNames(CStringList& list, LPWSTR R::*name, Enumerate enumerate) {
  std::vector<uint8_t> buffer;
  uint32_t count = 0;
  const bool ok = twk::setup::EnumerateRecords(
      [&](uint8_t* data, uint32_t size, uint32_t* needed, uint32_t* returned, uint32_t* error) {
        DWORD n = 0, r = 0;
        const BOOL result = enumerate(data, DWORD(size), &n, &r);
        *needed = n;
        *returned = r;
        *error = result ? 0 : GetLastError();
        return result != FALSE;
      },
      buffer, count);
  list.RemoveAll();
  const R* records = reinterpret_cast<const R*>(buffer.data());
  for (uint32_t i = 0; i < count; ++i) list.AddTail(CString(records[i].*name));
  return ok;
}

}  // namespace

bool EnumPortNames(CStringList& list) {
  return CollectNames(list, &PORT_INFO_2W::pPortName, [](LPBYTE b, DWORD s, LPDWORD n, LPDWORD r) {
    return EnumPortsW(nullptr, 2, b, s, n, r);
  });
}

bool EnumDriverNames(CStringList& list) {
  return CollectNames(list, &DRIVER_INFO_1W::pName, [](LPBYTE b, DWORD s, LPDWORD n, LPDWORD r) {
    return EnumPrinterDriversW(nullptr, nullptr, 1, b, s, n, r);
  });
}

bool EnumMonitorNames(CStringList& list) {
  return CollectNames(list, &MONITOR_INFO_1W::pName, [](LPBYTE b, DWORD s, LPDWORD n, LPDWORD r) {
    return EnumMonitorsW(nullptr, 1, b, s, n, r);
  });
}

bool EnumPrinterNames(CStringList& list) {
  list.RemoveAll();
  return CollectNames(list, &PRINTER_INFO_2W::pPrinterName, [](LPBYTE b, DWORD s, LPDWORD n, LPDWORD r) {
    return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, b, s, n, r);
  });
}
