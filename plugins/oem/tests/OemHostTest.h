// What the two host tests (qvrender's and qvui_dll's, both under Wine) share when they
// play the PostScript driver against a built plug-in DLL: loading it and its two COM
// exports, the class factory's rules, the GetInfo table runner, a real printer of the
// Wine prefix and our private DEVMODE part. Each test keeps its own cases and expected
// values.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "PrivateDevmode.h"
#include "QvOemCommon.h"

namespace qv::oem::test {

typedef HRESULT(STDAPICALLTYPE* GetClassObjectFn)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* CanUnloadNowFn)();

// The loaded plug-in and its two exports; set by LoadPlugin before the tests run.
inline HMODULE g_dll = nullptr;
inline GetClassObjectFn g_getClassObject = nullptr;
inline CanUnloadNowFn g_canUnloadNow = nullptr;

// Stored in out pointers beforehand, so a test sees that a failure clears them.
inline void* const kJunk = reinterpret_cast<void*>(static_cast<uintptr_t>(0x5A5A5A5A));

// The directory of this program, ending with a backslash.
inline std::wstring ProgramDir() {
  WCHAR path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  while (n > 0 && path[n - 1] != L'\\') --n;
  path[n] = L'\0';
  return path;
}

// Loads the DLL and finds its undecorated COM exports; false (with a message) otherwise.
inline bool LoadPlugin(const std::wstring& dll) {
  g_dll = LoadLibraryW(dll.c_str());
  if (!g_dll) {
    fprintf(stderr, "cannot load %ls (%lu)\n", dll.c_str(), GetLastError());
    return false;
  }
  g_getClassObject = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(g_dll, "DllGetClassObject")));
  g_canUnloadNow = reinterpret_cast<CanUnloadNowFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(g_dll, "DllCanUnloadNow")));
  if (!g_getClassObject || !g_canUnloadNow) {
    fprintf(stderr, "%ls lacks the undecorated COM exports\n", dll.c_str());
    return false;
  }
  return true;
}

// Runs every test, then fails the program when objects or locks were left behind.
inline int RunAllAndUnload() {
  const int rc = RUN_ALL_TESTS();
  if (g_canUnloadNow() != S_OK) {
    fprintf(stderr, "objects or locks left behind\n");
    return 1;
  }
  FreeLibrary(g_dll);
  return rc;
}

inline IClassFactory* Factory(REFCLSID clsid) {
  void* p = nullptr;
  EXPECT_EQ(g_getClassObject(clsid, IID_IClassFactory, &p), S_OK);
  return static_cast<IClassFactory*>(p);
}

// A new plug-in object asked for as Interface (iid), made through the class factory.
template <typename Interface>
Interface* NewPluginObject(REFCLSID clsid, REFIID iid) {
  IClassFactory* cf = Factory(clsid);
  if (!cf) return nullptr;
  void* p = nullptr;
  EXPECT_EQ(cf->CreateInstance(nullptr, iid, &p), S_OK);
  cf->Release();
  return static_cast<Interface*>(p);
}

// DllGetClassObject's refusals: no out pointer, another plug-in's class, and the
// plug-in's own interface asked of the class object. Failures clear the out pointer and
// leave nothing counted.
inline void ExpectClassObjectRefusals(REFCLSID own, REFCLSID other, REFIID pluginIid) {
  EXPECT_EQ(g_getClassObject(own, IID_IClassFactory, nullptr), E_POINTER);
  void* p = kJunk;
  EXPECT_EQ(g_getClassObject(other, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(p, nullptr) << "cleared on every failure";
  p = kJunk;
  EXPECT_EQ(g_getClassObject(own, pluginIid, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(g_canUnloadNow(), S_OK);
}

// CreateInstance's refusals: no out pointer, an outer object (asked for aggregateIid),
// and an interface the plug-in does not have. Nothing stays counted.
inline void ExpectCreateInstanceRefusals(IClassFactory* cf, REFIID pluginIid, REFIID aggregateIid,
                                         REFIID foreignIid) {
  EXPECT_EQ(cf->CreateInstance(nullptr, pluginIid, nullptr), E_POINTER);
  void* p = kJunk;
  int outer = 0;  // never called: only its presence matters
  EXPECT_EQ(cf->CreateInstance(reinterpret_cast<IUnknown*>(&outer), aggregateIid, &p),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(g_canUnloadNow(), S_OK) << "no object was counted";
  p = kJunk;
  EXPECT_EQ(cf->CreateInstance(nullptr, foreignIid, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(g_canUnloadNow(), S_OK) << "the refused object is gone again";
}

// LockServer keeps the DLL loaded while any lock is held, and locks nest.
inline void ExpectLockServerCounts(IClassFactory* cf) {
  EXPECT_EQ(cf->LockServer(TRUE), S_OK);
  EXPECT_EQ(g_canUnloadNow(), S_FALSE);
  EXPECT_EQ(cf->LockServer(TRUE), S_OK);
  EXPECT_EQ(cf->LockServer(FALSE), S_OK);
  EXPECT_EQ(g_canUnloadNow(), S_FALSE);
  EXPECT_EQ(cf->LockServer(FALSE), S_OK);
  EXPECT_EQ(g_canUnloadNow(), S_OK);
}

// One row of a GetInfo table: the call (mode, buffer size, with or without a buffer)
// and what must come back (result, needed size, last error when not 0, the stored value;
// 0xEEEEEEEE when nothing is stored).
struct GetInfoCase {
  DWORD mode, size;
  bool buffer;
  HRESULT hr;
  DWORD needed, error, value;
};

template <size_t N>
void ExpectGetInfoTable(IPrintOemCommon* plugin, const GetInfoCase (&cases)[N]) {
  for (const GetInfoCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << "/" << c.size);
    unsigned char buf[9];
    std::memset(buf, 0xEE, sizeof buf);
    DWORD needed = 0xDDDD;
    SetLastError(0);
    // The buffer starts at an odd address: the value is stored unaligned.
    EXPECT_EQ(plugin->GetInfo(c.mode, c.buffer ? buf + 1 : nullptr, c.size, &needed), c.hr);
    EXPECT_EQ(needed, c.needed);
    if (c.error) {
      EXPECT_EQ(GetLastError(), c.error);
    }
    DWORD value;
    std::memcpy(&value, buf + 1, 4);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(buf[5], 0xEE) << "nothing beyond the value";
  }
}

// An empty file in the temporary directory (a driver file the spooler only copies);
// its path, or empty on failure.
inline std::wstring EmptyTempFile(const wchar_t* name) {
  WCHAR dir[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, dir)) return std::wstring();
  const std::wstring path = std::wstring(dir) + name;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::wstring();
  CloseHandle(h);
  return path;
}

// Adds a version-3 driver (an installed one is taken as it is) whose driver and
// configuration file is driverFile, and a printer on FILE: using it; the printer opened,
// or null. driverFile is not a loadable DLL, so the spooler does not call into it.
inline HANDLE AddFilePrinter(const wchar_t* printer, const wchar_t* driver,
                             const std::wstring& driverFile, const std::wstring& dataFile) {
  DRIVER_INFO_3W di = {};
  di.cVersion = 3;
  di.pName = const_cast<LPWSTR>(driver);
  di.pDriverPath = di.pConfigFile = const_cast<LPWSTR>(driverFile.c_str());
  di.pDataFile = const_cast<LPWSTR>(dataFile.c_str());
  if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&di)) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
    return nullptr;
  PRINTER_INFO_2W pi = {};
  pi.pPrinterName = const_cast<LPWSTR>(printer);
  pi.pPortName = const_cast<LPWSTR>(L"FILE:");
  pi.pDriverName = di.pName;
  pi.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
  pi.pDatatype = const_cast<LPWSTR>(L"RAW");
  HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&pi));
  if (!added) return nullptr;
  ClosePrinter(added);
  HANDLE opened = nullptr;
  return OpenPrinterW(const_cast<LPWSTR>(printer), &opened, nullptr) ? opened : nullptr;
}

// Our private DEVMODE part: header and body as qvui_dll writes and the driver keeps it.
struct Section {
  qv::DmExtraHeader header;
  qv::PrivateDevmodeBody body;
  unsigned char padding[3];
};

inline Section OurSection() {
  Section s;
  std::memset(&s, 0, sizeof s);
  s.header = {qv::kPrivateDevmodeSize, qv::kPrivateDevmodeSignature, qv::kPrivateDevmodeVersion};
  qv::DefaultPrivateDevmode(&s.body);
  return s;
}

}  // namespace qv::oem::test
