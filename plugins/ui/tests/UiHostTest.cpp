// Plays the PostScript driver against the real qvui_dll.dll: loads it from a directory
// of its own (beside the test companion qvui.dll), creates the plug-in through its class
// factory, publishes fake core drivers to it and shows its document page in a real
// property sheet, as the driver's common property-sheet UI would.
//
// QV_EXPECT_PAGE_TEMPLATE (111 or 112), when set, is the template the screen of this
// run must select; the build runs this program once on a 1024 x 768 screen and once on
// a 640 x 480 one.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winddiui.h>
#include <winspool.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "CompanionProbe.h"
#include "CoreDriverDoubles.h"
#include "DevmodeExchange.h"
#include "OemHostTest.h"
#include "PrivateDevmode.h"
#include "QvOemUi.h"

using qv::ui::test::CompanionProbe;
using qv::ui::test::FakeCoreUI2;
using qv::ui::test::FakeDriverUI;

namespace {

CompanionProbe g_probe;

}  // namespace

// Found by the test companion in the main module.
extern "C" __declspec(dllexport) CompanionProbe* __cdecl QvTestCompanionProbe() {
  return &g_probe;
}

namespace {

using namespace qv::oem::test;

std::wstring g_pluginDir;  // ends with a backslash

// ---- helpers ----

IPrintOemUI2* NewPlugin() { return NewPluginObject<IPrintOemUI2>(CLSID_OEMUI, IID_IPrintOemUI2); }

int BusyBlocks(HANDLE heap) {
  PROCESS_HEAP_ENTRY entry;
  std::memset(&entry, 0, sizeof entry);
  int busy = 0;
  HeapLock(heap);
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
  HeapUnlock(heap);
  return busy;
}

void Pump() {
  for (int round = 0; round < 5; ++round) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

std::wstring Text(const WCHAR* s) { return s ? std::wstring(s) : std::wstring(L"(null)"); }

// A real printer of this prefix whose driver names a data file in a directory.
class Printer {
 public:
  explicit Printer(const wchar_t* name) : name_(name) {}
  bool Create() {
    const std::wstring file = EmptyTempFile(L"qvui-host-driver.txt");
    const std::wstring data = EmptyTempFile(L"QVUI-HOST.PPD");
    if (file.empty() || data.empty()) return false;
    handle = AddFilePrinter(name_, L"QV UI Host Test Driver", file, data);
    return handle != nullptr;
  }
  ~Printer() {
    if (handle) ClosePrinter(handle);
  }
  HANDLE handle = nullptr;

 private:
  const wchar_t* name_;
};

// The pairs of a selection buffer: feature, option, ... up to the closing zero byte.
// Empty when the buffer is not closed by exactly one extra zero byte.
std::vector<std::string> SelectionParts(const std::string& buffer) {
  std::vector<std::string> parts;
  size_t at = 0;
  while (at < buffer.size() && buffer[at] != '\0') {
    const size_t end = buffer.find('\0', at);
    if (end == std::string::npos) return {};
    parts.push_back(buffer.substr(at, end - at));
    at = end + 1;
  }
  if (at + 1 != buffer.size()) return {};
  return parts;
}

// Bytes of the printer's LastCustomPapers value; 0 when there is none.
DWORD StoredPapersSize(HANDLE printer) {
  DWORD type = 0, needed = 0;
  const DWORD rc = GetPrinterDataW(printer, const_cast<LPWSTR>(L"LastCustomPapers"), &type,
                                   nullptr, 0, &needed);
  return rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA ? needed : 0;
}

bool StorePapers(HANDLE printer, DWORD size) {
  std::vector<BYTE> value(size, 0);
  return SetPrinterDataW(printer, const_cast<LPWSTR>(L"LastCustomPapers"), REG_BINARY,
                         value.data(), size) == ERROR_SUCCESS;
}

// ---- COM rules ----

TEST(UiCom, ExportsByNameAndOrdinal) {
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(g_dll, MAKEINTRESOURCEA(1))),
            reinterpret_cast<void*>(g_canUnloadNow));
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(g_dll, MAKEINTRESOURCEA(2))),
            reinterpret_cast<void*>(g_getClassObject));
  EXPECT_EQ(GetProcAddress(g_dll, "DllGetClassObject@12"), nullptr);
}

TEST(UiCom, ClassObject) {
  ExpectClassObjectRefusals(CLSID_OEMUI, CLSID_OEMRENDER, IID_IPrintOemUI);

  void* p = nullptr;
  ASSERT_EQ(g_getClassObject(CLSID_OEMUI, IID_IUnknown, &p), S_OK);
  auto* unk = static_cast<IUnknown*>(p);
  void* cf = nullptr;
  EXPECT_EQ(unk->QueryInterface(IID_IClassFactory, &cf), S_OK);
  EXPECT_EQ(cf, p);
  EXPECT_EQ(unk->QueryInterface(IID_IClassFactory, nullptr), E_POINTER);
  EXPECT_EQ(static_cast<IClassFactory*>(cf)->Release(), 1u);
  EXPECT_EQ(g_canUnloadNow(), S_OK) << "factories are not counted";
  EXPECT_EQ(unk->Release(), 0u);
}

TEST(UiCom, CreateInstanceAndUnloadCounting) {
  IClassFactory* cf = Factory(CLSID_OEMUI);
  ASSERT_NE(cf, nullptr);
  ExpectCreateInstanceRefusals(cf, IID_IPrintOemUI2, IID_IUnknown, IID_IPrintOemCommon);
  ExpectLockServerCounts(cf);

  void* p = nullptr;
  ASSERT_EQ(cf->CreateInstance(nullptr, IID_IUnknown, &p), S_OK);
  auto* unk = static_cast<IUnknown*>(p);
  EXPECT_EQ(g_canUnloadNow(), S_FALSE);
  EXPECT_EQ(cf->Release(), 0u);
  EXPECT_EQ(g_canUnloadNow(), S_FALSE) << "the object outlives its factory";
  EXPECT_EQ(unk->Release(), 0u);
  EXPECT_EQ(g_canUnloadNow(), S_OK);
}

TEST(UiCom, InterfaceTable) {
  IPrintOemUI2* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  for (const IID* iid : {&IID_IUnknown, &IID_IPrintOemUI, &IID_IPrintOemUI2}) {
    void* p = kJunk;
    EXPECT_EQ(plugin->QueryInterface(*iid, &p), S_OK);
    EXPECT_EQ(p, static_cast<void*>(plugin)) << "one object behind every interface";
    static_cast<IUnknown*>(p)->Release();
  }
  for (const IID* iid : {&IID_IPrintOemCommon, &IID_IClassFactory, &IID_IPrintOemPS,
                         &IID_IPrintCoreUI2, &IID_IPrintOemDriverUI}) {
    void* p = kJunk;
    EXPECT_EQ(plugin->QueryInterface(*iid, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
  }
  EXPECT_EQ(plugin->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(plugin->AddRef(), 2u);
  EXPECT_EQ(plugin->Release(), 1u);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(g_canUnloadNow(), S_OK);
}

TEST(UiCom, GetInfoTable) {
  IPrintOemUI2* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  const GetInfoCase cases[] = {
      {OEMGI_GETSIGNATURE, 4, true, S_OK, 4, 0, 0x54565247},
      {OEMGI_GETINTERFACEVERSION, 4, true, S_OK, 4, 0, 0x00010000},
      {OEMGI_GETVERSION, 8, true, S_OK, 4, 0, 0x10410441},
      {OEMGI_GETSIGNATURE, 3, true, E_FAIL, 4, ERROR_INSUFFICIENT_BUFFER, 0xEEEEEEEE},
      {OEMGI_GETINTERFACEVERSION, 0, false, E_FAIL, 4, ERROR_INSUFFICIENT_BUFFER, 0xEEEEEEEE},
      {OEMGI_GETVERSION, 4, false, E_FAIL, 4, ERROR_INSUFFICIENT_BUFFER, 0xEEEEEEEE},
      {OEMGI_GETPUBLISHERINFO, 8, true, E_FAIL, 0, ERROR_INVALID_PARAMETER, 0xEEEEEEEE},
      {0, 4, true, E_FAIL, 0, ERROR_INVALID_PARAMETER, 0xEEEEEEEE},
      {99, 4, true, E_FAIL, 0, ERROR_INVALID_PARAMETER, 0xEEEEEEEE},
  };
  ExpectGetInfoTable(plugin, cases);

  // Without the size pointer the value is still written.
  DWORD value = 0;
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, &value, 4, nullptr), S_OK);
  EXPECT_EQ(value, 0x54565247u);
  SetLastError(0);
  EXPECT_EQ(plugin->GetInfo(7, nullptr, 0, nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  // A buffer that cannot be written is refused before anything is stored.
  void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READONLY);
  ASSERT_NE(page, nullptr);
  DWORD needed = 0xDDDD;
  SetLastError(0);
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, page, 4, &needed), E_FAIL);
  EXPECT_EQ(needed, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  VirtualFree(page, 0, MEM_RELEASE);
  plugin->Release();
}

TEST(UiCom, HideStandardUIAndTheUnimplementedSlots) {
  IPrintOemUI2* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->HideStandardUI(OEMCUIP_DOCPROP), S_OK);
  EXPECT_EQ(plugin->HideStandardUI(OEMCUIP_PRNPROP), E_NOTIMPL);
  EXPECT_EQ(plugin->HideStandardUI(0), E_NOTIMPL);

  EXPECT_EQ(plugin->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(plugin->DriverEvent(1, 1, nullptr, 0), E_NOTIMPL);
  ULONG size = 0;
  FLONG flags = 0;
  EXPECT_EQ(plugin->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, nullptr, &size,
                                      &flags),
            E_NOTIMPL);
  EXPECT_EQ(plugin->FontInstallerDlgProc(nullptr, WM_INITDIALOG, 0, 0), E_NOTIMPL);
  EXPECT_EQ(plugin->UpdateExternalFonts(nullptr, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(plugin->QueryJobAttributes(nullptr, nullptr, 1, nullptr), E_NOTIMPL);
  INT result = 0;
  EXPECT_EQ(plugin->DocumentEvent(nullptr, nullptr, 1, 0, nullptr, 0, nullptr, &result),
            E_NOTIMPL);

  // A result pointer of null is simply not written.
  EXPECT_EQ(plugin->DeviceCapabilities(nullptr, nullptr, nullptr, DC_BINS, nullptr, nullptr,
                                       nullptr, 20, nullptr),
            S_OK);
  DWORD answer = 0;
  EXPECT_EQ(plugin->DeviceCapabilities(nullptr, nullptr, nullptr, DC_BINS, nullptr, nullptr,
                                       nullptr, 20, &answer),
            S_OK);
  EXPECT_EQ(answer, 20u) << "DC_BINS keeps the driver's answer";
  EXPECT_EQ(plugin->UpgradePrinter(1, nullptr), S_OK) << "nothing to upgrade";
  plugin->Release();
}

TEST(UiCom, DevModeHandsTheRequestToTheExchange) {
  IPrintOemUI2* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, nullptr), E_FAIL);
  OEMDMPARAM param = {};
  param.cbSize = sizeof param;
  EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &param), S_OK);
  EXPECT_EQ(param.cbBufSize, 1056u);

  Section out;
  std::memset(&out, 0xEE, sizeof out);
  param.pOEMDMOut = &out;
  param.cbBufSize = 1055;
  SetLastError(12345);
  EXPECT_EQ(plugin->DevMode(OEMDM_DEFAULT, &param), E_FAIL);
  EXPECT_EQ(GetLastError(), 12345u) << "no last error is set";
  EXPECT_EQ(out.header.dwSize, 0xEEEEEEEEu);
  param.cbBufSize = 1056;
  EXPECT_EQ(plugin->DevMode(OEMDM_DEFAULT, &param), S_OK);
  const Section expected = OurSection();
  EXPECT_EQ(std::memcmp(&out, &expected, 1053), 0);
  EXPECT_EQ(plugin->DevMode(5, &param), E_FAIL);
  plugin->Release();
}

TEST(UiCom, DriverInterfaceIsKeptOnceAndReleasedOnce) {
  FakeDriverUI refusing(false);
  FakeCoreUI2 first, second;
  IPrintOemUI2* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->PublishDriverInterface(nullptr), E_FAIL);
  EXPECT_EQ(plugin->PublishDriverInterface(&refusing), E_FAIL);
  EXPECT_EQ(refusing.refs, 1);
  EXPECT_EQ(refusing.queries.size(), 2u) << "IPrintCoreUI2, then IPrintOemDriverUI";
  EXPECT_EQ(plugin->PublishDriverInterface(&first), S_OK);
  EXPECT_EQ(first.refs, 2);
  ASSERT_EQ(first.queries.size(), 1u);
  EXPECT_TRUE(IsEqualIID(first.queries[0], IID_IPrintCoreUI2));
  EXPECT_EQ(plugin->PublishDriverInterface(&second), S_OK);
  EXPECT_TRUE(second.queries.empty()) << "the second interface is not even asked";
  EXPECT_EQ(second.refs, 1);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(first.refs, 1) << "released exactly once by the final Release";

  FakeDriverUI older;
  plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->PublishDriverInterface(&older), S_OK);
  ASSERT_EQ(older.queries.size(), 2u);
  EXPECT_TRUE(IsEqualIID(older.queries[0], IID_IPrintCoreUI2));
  EXPECT_TRUE(IsEqualIID(older.queries[1], IID_IPrintOemDriverUI));
  EXPECT_EQ(older.refs, 2);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(older.refs, 1);
  EXPECT_EQ(g_canUnloadNow(), S_OK);
}

TEST(UiCom, DeviceSheetsAddNoPage) {
  IPrintOemUI2* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->DevicePropertySheets(nullptr, 0), E_FAIL);
  SETRESULT_INFO set = {};
  set.cbSize = sizeof set;
  set.Result = 7;
  struct Case {
    WORD reason;
    LPARAM lParam;
    HRESULT hr;
    ULONG_PTR result;
  } const cases[] = {
      {PROPSHEETUI_REASON_INIT, 0, S_OK, 1},
      {PROPSHEETUI_REASON_DESTROY, 0, S_OK, 1},
      {PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&set), S_OK, 7},
      {PROPSHEETUI_REASON_SET_RESULT, 0, E_FAIL, 0},
      {PROPSHEETUI_REASON_GET_INFO_HEADER, 0, E_FAIL, 0},
      {PROPSHEETUI_REASON_GET_ICON, 0, E_FAIL, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof info;
    info.Reason = c.reason;
    info.Result = 99;
    EXPECT_EQ(plugin->DevicePropertySheets(&info, c.lParam), c.hr);
    EXPECT_EQ(info.Result, c.result);
  }
  plugin->Release();
}

TEST(UiCom, DocumentSheetReasonsWithoutAPage) {
  IPrintOemUI2* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->DocumentPropertySheets(nullptr, 0), E_FAIL);
  SETRESULT_INFO set = {};
  set.cbSize = sizeof set;
  set.Result = CPSUI_OK;
  PROPSHEETUI_INFO info = {};
  info.cbSize = sizeof info;
  info.Reason = PROPSHEETUI_REASON_SET_RESULT;
  EXPECT_EQ(plugin->DocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&set)), S_OK);
  EXPECT_EQ(info.Result, static_cast<ULONG_PTR>(CPSUI_OK));
  EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), E_FAIL);
  info.Reason = PROPSHEETUI_REASON_INIT;  // no parameters
  EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), E_FAIL);
  EXPECT_EQ(info.Result, 0u);
  info.Reason = PROPSHEETUI_REASON_DESTROY;  // nothing to free
  EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), S_OK);
  info.Reason = PROPSHEETUI_REASON_GET_ICON;
  EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), E_FAIL);

  // No heap for the context: no page.
  OEMUIPSPARAM params = {};
  params.cbSize = sizeof params;
  info.Reason = PROPSHEETUI_REASON_INIT;
  info.lParamInit = reinterpret_cast<LPARAM>(&params);
  EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), E_FAIL);
  EXPECT_EQ(params.pOEMUserData, nullptr);
  plugin->Release();
}

TEST(UiCom, CommonUIPropCallbacksAndDisabledItems) {
  IPrintOemUI2* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  SetLastError(0);
  EXPECT_EQ(plugin->CommonUIProp(3, nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(plugin->CommonUIProp(OEMCUIP_DOCPROP, nullptr), S_OK);
  EXPECT_EQ(plugin->CommonUIProp(OEMCUIP_PRNPROP, nullptr), S_OK);

  OEMCUIPPARAM param = {};
  param.cbSize = sizeof param;
  EXPECT_EQ(plugin->CommonUIProp(OEMCUIP_DOCPROP, &param), S_OK);
  ASSERT_NE(param.OEMCUIPCallback, nullptr);
  EXPECT_EQ(param.cOEMOptItems, 0u) << "no items of our own";
  CPSUICBPARAM cb = {};
  cb.cbSize = sizeof cb;
  EXPECT_EQ(param.OEMCUIPCallback(&cb, &param), CPSUICB_ACTION_NONE);
  EXPECT_EQ(cb.Result, static_cast<ULONG_PTR>(CPSUI_OK));
  EXPECT_EQ(param.OEMCUIPCallback(nullptr, &param), CPSUICB_ACTION_NONE);

  OPTITEM items[4];
  std::memset(items, 0, sizeof items);
  const struct {
    BYTE level;
    DWORD help, flags, expected;
  } cases[] = {
      {2, 1032, 0x1, 0x25},
      {1, 1032, 0x0, 0x0},
      {2, 1033, 0x0, 0x0},
      {2, 1032, 0x24, 0x24},
  };
  for (int i = 0; i < 4; ++i) {
    items[i].cbSize = sizeof(OPTITEM);
    items[i].Level = cases[i].level;
    items[i].HelpIndex = cases[i].help;
    items[i].Flags = cases[i].flags;
  }
  OEMCUIPPARAM printer = {};
  printer.cbSize = sizeof printer;
  printer.pDrvOptItems = items;
  printer.cDrvOptItems = 4;
  EXPECT_EQ(plugin->CommonUIProp(OEMCUIP_PRNPROP, &printer), S_OK);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(items[i].Flags, cases[i].expected) << i;
  ASSERT_NE(printer.OEMCUIPCallback, nullptr);
  cb.Result = 5;
  EXPECT_EQ(printer.OEMCUIPCallback(&cb, &printer), CPSUICB_ACTION_NONE);
  EXPECT_EQ(cb.Result, 5u) << "the printer callback changes nothing";

  printer.pDrvOptItems = nullptr;  // a count without items is not followed
  EXPECT_EQ(plugin->CommonUIProp(OEMCUIP_PRNPROP, &printer), S_OK);
  plugin->Release();
}

// The two page templates as the resource compiler wrote them (DLGTEMPLATEEX).
TEST(UiCom, PageTemplates) {
  for (const WORD id : {WORD{111}, WORD{112}}) {
    SCOPED_TRACE(id);
    HRSRC found = FindResourceW(g_dll, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    ASSERT_NE(found, nullptr);
    const auto* t = static_cast<const BYTE*>(LockResource(LoadResource(g_dll, found)));
    ASSERT_NE(t, nullptr);
    auto word = [&](size_t at) { WORD w; std::memcpy(&w, t + at, 2); return w; };
    auto dword = [&](size_t at) { DWORD d; std::memcpy(&d, t + at, 4); return d; };
    ASSERT_EQ(word(0), 1);       // dlgVer
    ASSERT_EQ(word(2), 0xFFFF);  // signature of the extended template
    EXPECT_EQ(dword(8), 0u);     // exStyle
    EXPECT_EQ(dword(12), 0x80C800C8u);
    EXPECT_EQ(word(16), 0) << "no controls";
    EXPECT_EQ(word(22), 376);
    EXPECT_EQ(word(24), id == 111 ? 330 : 290);
    size_t at = 26;
    EXPECT_EQ(word(at), 0) << "no menu";
    at += 2;
    EXPECT_EQ(word(at), 0) << "the standard dialog class";
    at += 2;
    const std::wstring caption(reinterpret_cast<const WCHAR*>(t + at));
    EXPECT_EQ(caption, L"Quorvane");
    at += (caption.size() + 1) * 2;
    EXPECT_EQ(word(at), 9) << "points";
    at += 6;  // point size, weight, italic, charset
    EXPECT_EQ(std::wstring(reinterpret_cast<const WCHAR*>(t + at)), L"MS Shell Dlg 2");
  }
}

// ---- custom papers through the plug-in's methods, on a real printer ----

TEST(UiCom, CustomPapersOnARealPrinter) {
  const wchar_t* const name = L"QV Papers Printer";
  Printer printer(name);
  ASSERT_TRUE(printer.Create()) << GetLastError();
  IPrintOemUI2* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);

  // A printer event resets the list to [Maximum, Minimum]: 2 records of 163 bytes.
  EXPECT_EQ(plugin->PrinterEvent(const_cast<PWSTR>(name), PRINTER_EVENT_INITIALIZE, 0, 0), S_OK);
  EXPECT_EQ(StoredPapersSize(printer.handle), 326u);

  // An unusable value (not a whole number of records) is rewritten by the upgrade.
  ASSERT_TRUE(StorePapers(printer.handle, 300));
  // The driver's upgrade record begins with the printer's name.
  struct {
    PWSTR printerName;
    PWSTR oldDriverDirectory;
  } upgrade = {const_cast<PWSTR>(name), nullptr};
  EXPECT_EQ(plugin->UpgradePrinter(1, reinterpret_cast<PBYTE>(&upgrade)), S_OK);
  EXPECT_EQ(StoredPapersSize(printer.handle), 326u);

  // CommonUIProp resets the list whatever the mode, before it refuses an unknown one.
  ASSERT_TRUE(StorePapers(printer.handle, 300));
  OEMCUIPPARAM param = {};
  param.cbSize = sizeof param;
  param.hPrinter = printer.handle;
  SetLastError(0);
  EXPECT_EQ(plugin->CommonUIProp(3, &param), E_FAIL);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(StoredPapersSize(printer.handle), 326u);

  // The papers take the place of the driver's last entry: 20 - 1 + 2.
  DWORD answer = 0;
  EXPECT_EQ(plugin->DeviceCapabilities(nullptr, printer.handle, const_cast<PWSTR>(name),
                                       DC_PAPERNAMES, nullptr, nullptr, nullptr, 20, &answer),
            S_OK);
  EXPECT_EQ(answer, 21u);
  std::vector<WCHAR> names(21 * 64, L'x');
  EXPECT_EQ(plugin->DeviceCapabilities(nullptr, printer.handle, const_cast<PWSTR>(name),
                                       DC_PAPERNAMES, names.data(), nullptr, nullptr, 20,
                                       &answer),
            S_OK);
  EXPECT_EQ(answer, 21u);
  EXPECT_EQ(names[18 * 64], L'x') << "the driver's entries stay";
  EXPECT_EQ(std::wstring(&names[19 * 64]), L"Maximum");
  EXPECT_EQ(std::wstring(&names[20 * 64]), L"Minimum");
  EXPECT_EQ(plugin->Release(), 0u);
}

// ---- the document page in a real property sheet ----

// The driver's common property-sheet UI: pfnComPropSheet creates the pages the
// plug-in adds and records what it is told.
struct SheetHost {
  struct AddedPage {
    PROPSHEETPAGEW page;  // as handed over (dwSize bytes copied)
    std::wstring title;
    HPROPSHEETPAGE handle;
  };
  std::vector<AddedPage> added;
  std::vector<std::pair<LPARAM, LPARAM>> results;  // CPSFUNC_SET_RESULT (page, result)
  std::vector<UINT> others;
};

LONG_PTR CALLBACK ComPropSheet(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2) {
  auto* host = static_cast<SheetHost*>(sheet);
  if (function == CPSFUNC_ADD_PROPSHEETPAGEW) {
    const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam1);
    SheetHost::AddedPage added;
    std::memset(&added.page, 0, sizeof added.page);
    std::memcpy(&added.page, page,
                page->dwSize < sizeof added.page ? page->dwSize : sizeof added.page);
    added.title = Text(page->pszTitle);
    added.handle = CreatePropertySheetPageW(page);
    host->added.push_back(added);
    return reinterpret_cast<LONG_PTR>(added.handle);
  }
  if (function == CPSFUNC_SET_RESULT) {
    host->results.emplace_back(lParam1, lParam2);
    return 1;
  }
  host->others.push_back(function);
  return 0;
}

class Page : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(&g_probe, 0, sizeof g_probe);
    g_probe.embedAnswer = 1;
    heap = HeapCreate(0, 0, 0);
    ASSERT_NE(heap, nullptr);
    plugin = NewPlugin();
    ASSERT_NE(plugin, nullptr);
    ASSERT_EQ(plugin->PublishDriverInterface(&core), S_OK);

    std::memset(&pub, 0, sizeof pub);
    pub.dmSize = sizeof pub;
    wcscpy(pub.dmDeviceName, L"QV Page Printer");
    pub.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_PRINTQUALITY |
                   DM_YRESOLUTION;
    pub.dmOrientation = DMORIENT_PORTRAIT;
    pub.dmPaperSize = DMPAPER_A3;
    pub.dmDefaultSource = DMBIN_UPPER;
    pub.dmPrintQuality = 300;
    pub.dmYResolution = 300;
    section = OurSection();

    std::memset(&uiobj, 0, sizeof uiobj);
    uiobj.cbSize = sizeof uiobj;
    std::memset(&params, 0, sizeof params);
    params.cbSize = sizeof params;
    params.poemuiobj = &uiobj;
    params.pPrinterName = const_cast<PWSTR>(L"QV Page Printer");
    params.hModule = g_dll;
    params.hOEMHeap = heap;
    params.pPublicDM = &pub;
    params.pOEMDM = &section;

    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.hComPropSheet = &host;
    info.pfnComPropSheet = ComPropSheet;
    info.lParamInit = reinterpret_cast<LPARAM>(&params);
  }

  void TearDown() override {
    if (sheet) DestroyWindow(sheet);
    if (params.pOEMUserData) Destroy();
    if (plugin) {
      EXPECT_EQ(plugin->Release(), 0u);
    }
    EXPECT_EQ(core.refs, 1) << "every reference on the driver given back";
    if (heap) HeapDestroy(heap);
  }

  // REASON_INIT: the plug-in adds its page through the host.
  void Init() {
    info.Reason = PROPSHEETUI_REASON_INIT;
    ASSERT_EQ(plugin->DocumentPropertySheets(&info, 0), S_OK);
    ASSERT_EQ(info.Result, 1u);
    ASSERT_EQ(host.added.size(), 1u);
    ASSERT_NE(host.added[0].handle, nullptr);
  }

  // A modeless sheet with the added page; its WM_INITDIALOG embeds the companion.
  void Show() {
    PROPSHEETHEADERW header;
    std::memset(&header, 0, sizeof header);
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = L"Document Properties";
    header.nPages = 1;
    HPROPSHEETPAGE pages[1] = {host.added[0].handle};
    header.phpage = pages;
    const INT_PTR shown = PropertySheetW(&header);
    ASSERT_NE(shown, 0);
    ASSERT_NE(shown, -1) << "no display";
    sheet = reinterpret_cast<HWND>(shown);
    Pump();
    page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(page, nullptr);
  }

  void Apply() {
    SendMessageW(sheet, PSM_APPLY, 0, 0);
    Pump();
  }

  void Destroy() {
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, 1u);
  }

  std::string Events() const { return std::string(g_probe.events, g_probe.eventCount); }

  HANDLE heap = nullptr;
  IPrintOemUI2* plugin = nullptr;
  FakeCoreUI2 core;
  DEVMODEW pub;
  Section section;
  OEMUIOBJ uiobj;
  OEMUIPSPARAM params;
  PROPSHEETUI_INFO info;
  SheetHost host;
  HWND sheet = nullptr;
  HWND page = nullptr;
};

TEST_F(Page, TemplateFitsTheScreen) {
  Init();
  const SheetHost::AddedPage& added = host.added[0];
  const int height = GetSystemMetrics(SM_CYFULLSCREEN);
  const WORD expected = height <= 600 ? 112 : 111;
  ASSERT_TRUE(IS_INTRESOURCE(added.page.pszTemplate));
  EXPECT_EQ(LOWORD(reinterpret_cast<ULONG_PTR>(added.page.pszTemplate)), expected)
      << "full-screen height " << height;
  if (const char* want = std::getenv("QV_EXPECT_PAGE_TEMPLATE")) {
    EXPECT_EQ(expected, std::atoi(want))
        << "this run's screen: full-screen height " << height << ", screen "
        << GetSystemMetrics(SM_CXSCREEN) << " x " << GetSystemMetrics(SM_CYSCREEN);
  }
  EXPECT_EQ(added.page.dwSize, static_cast<DWORD>(PROPSHEETPAGEW_V2_SIZE));
  EXPECT_EQ(added.page.dwFlags, static_cast<DWORD>(PSP_USETITLE));
  EXPECT_EQ(added.page.hInstance, g_dll);
  EXPECT_EQ(added.page.lParam, reinterpret_cast<LPARAM>(&params));
  EXPECT_EQ(added.title, L"QV Page Printer");

  Show();
  // The sheet scales pages by its own font, so the page shows its template by its
  // proportions: 376 x 330 or 376 x 290 dialog units (within two pixels).
  const long templateHeight = expected == 112 ? 290 : 330;
  RECT client;
  ASSERT_TRUE(GetClientRect(page, &client));
  ASSERT_GT(client.right, 0);
  EXPECT_NEAR(client.bottom * 376.0 / client.right, templateHeight, 2.0 * 376 / client.right)
      << client.right << " x " << client.bottom;
}

TEST_F(Page, CompanionEmbedsWithTheDriversRecord) {
  section.body.Orientation = 9;  // invalid: repaired before the companion sees it
  Init();
  Show();
  EXPECT_EQ(Events(), "AE");
  EXPECT_EQ(std::wstring(g_probe.modulePath), g_pluginDir + L"qvui.dll")
      << "loaded from the plug-in's own directory";
  EXPECT_EQ(g_probe.embedPage, page);
  EXPECT_EQ(std::wstring(g_probe.embedPrinter), L"QV Page Printer");
  EXPECT_EQ(std::wstring(g_probe.embedDataFile), L"") << "no printer handle";
  EXPECT_EQ(g_probe.embedConstant, 2u);
  EXPECT_EQ(g_probe.embedBodySize, 1041u);
  EXPECT_EQ(g_probe.embedBody, static_cast<void*>(&section.body)) << "the driver's record itself";
  EXPECT_EQ(g_probe.embedBodySeen.Orientation, 0);
  EXPECT_EQ(section.body.Orientation, 0);
  EXPECT_EQ(g_probe.embedSettingsSize, 150u);
  EXPECT_EQ(+g_probe.embedSettingsSeen.fields, qv::kDmPaperSize | qv::kDmDefaultSource);
  EXPECT_EQ(+g_probe.embedSettingsSeen.paperSize, DMPAPER_A3) << "the public DEVMODE's paper";
  EXPECT_EQ(+g_probe.embedSettingsSeen.defaultSource, DMBIN_UPPER);
  EXPECT_EQ(g_probe.embedReadOnly, 0);
}

TEST_F(Page, CompanionGetsTheDriversDataFileName) {
  Printer printer(L"QV Page Printer");
  ASSERT_TRUE(printer.Create()) << GetLastError();
  params.hPrinter = printer.handle;
  Init();
  Show();
  EXPECT_EQ(Events(), "AE");
  EXPECT_EQ(std::wstring(g_probe.embedDataFile), L"QVUI-HOST.PPD") << "the file part only";
}

TEST_F(Page, ReadOnlySheetPassesFlagOne) {
  params.dwFlags = DM_NOPERMISSION | 0x10;
  Init();
  Show();
  EXPECT_EQ(Events(), "AE");
  EXPECT_EQ(g_probe.embedReadOnly, 1);
}

TEST_F(Page, ApplyTakesTheCompanionsChoices) {
  Init();
  Show();
  g_probe.writeOnApply = 1;
  g_probe.applyBody = section.body;
  g_probe.applyBody.Orientation = 1;  // landscape
  g_probe.applyBody.Resolution = 1;   // 300 x 600
  g_probe.applyBody.Zoom = 0;         // invalid: validated after the companion
  std::memset(&g_probe.applySettings, 0, sizeof g_probe.applySettings);
  g_probe.applySettings.fields = qv::kDmPaperSize | qv::kDmFormName | qv::kDmDefaultSource;
  g_probe.applySettings.paperSize = DMPAPER_A5;
  std::memcpy(g_probe.applySettings.formName, u"A5", 6);
  g_probe.applySettings.defaultSource = DMBIN_MANUAL;
  Apply();

  EXPECT_EQ(Events(), "AEP");
  EXPECT_EQ(g_probe.applyBodySize, 1041u);
  EXPECT_EQ(g_probe.applyBodyAt, static_cast<void*>(&section.body));
  EXPECT_EQ(g_probe.applySettingsSize, 150u);
  EXPECT_EQ(+g_probe.applySettingsSeen.paperSize, DMPAPER_A3)
      << "apply starts from the page's settings, not the locale's paper";

  EXPECT_EQ(section.body.Orientation, 1);
  EXPECT_EQ(section.body.Resolution, 1);
  qv::PrivateDevmodeBody defaults;
  qv::DefaultPrivateDevmode(&defaults);
  EXPECT_EQ(+section.body.Zoom, +defaults.Zoom) << "validated";

  EXPECT_EQ(pub.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(pub.dmPrintQuality, 300);
  EXPECT_EQ(pub.dmYResolution, 600);
  EXPECT_EQ(pub.dmPaperSize, DMPAPER_A5);
  EXPECT_EQ(std::wstring(pub.dmFormName), L"A5");
  EXPECT_EQ(pub.dmDefaultSource, DMBIN_MANUAL);
  const DWORD set = DM_ORIENTATION | DM_PRINTQUALITY | DM_YRESOLUTION | DM_PAPERSIZE |
                    DM_FORMNAME | DM_DEFAULTSOURCE;
  EXPECT_EQ(pub.dmFields & set, set);
  EXPECT_EQ(pub.dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH), 0u);

  // The record's 68 PPD feature selections, once, to the published driver.
  ASSERT_EQ(core.setOptions.size(), 1u);
  const FakeCoreUI2::SetOptionsCall& call = core.setOptions[0];
  EXPECT_EQ(call.poemuiobj, &uiobj);
  EXPECT_EQ(call.flags, static_cast<DWORD>(SETOPTIONS_FLAG_KEEP_CONFLICT));
  const std::vector<std::string> parts = SelectionParts(call.buffer);
  ASSERT_EQ(parts.size(), 2u * 68);
  EXPECT_EQ(parts[0], "TVOrientation");
  EXPECT_EQ(parts[1], "Land");
  EXPECT_EQ(parts[2 * 31], "Resolution");
  EXPECT_EQ(parts[2 * 31 + 1], "300x600dpi");
  EXPECT_EQ(parts[2 * 67], "TVDelegation");
  EXPECT_EQ(parts[2 * 67 + 1], "False");

  ASSERT_EQ(host.results.size(), 1u);
  EXPECT_EQ(host.results[0].first, reinterpret_cast<LPARAM>(host.added[0].handle));
  EXPECT_EQ(host.results[0].second, CPSUI_OK);
}

TEST_F(Page, ADriverWithoutIPrintCoreUI2GetsNoSelections) {
  FakeDriverUI older;
  IPrintOemUI2* other = NewPlugin();
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(other->PublishDriverInterface(&older), S_OK);
  plugin->Release();
  plugin = other;
  Init();
  Show();
  Apply();
  EXPECT_EQ(Events(), "AEP");
  EXPECT_TRUE(core.setOptions.empty());
  ASSERT_EQ(older.queries.size(), 3u) << "publish: IPrintCoreUI2, IPrintOemDriverUI; apply: IPrintCoreUI2";
  EXPECT_TRUE(IsEqualIID(older.queries[2], IID_IPrintCoreUI2));
  ASSERT_EQ(host.results.size(), 1u);
  EXPECT_EQ(host.results[0].second, CPSUI_OK) << "the apply goes on as usual";
  DestroyWindow(sheet);
  sheet = nullptr;
  Destroy();
  EXPECT_EQ(plugin->Release(), 0u);
  plugin = nullptr;
  EXPECT_EQ(older.refs, 1);
}

TEST_F(Page, ApplyWithoutCompanionKeepsTheUsersPaper) {
  g_probe.embedAnswer = 0;  // the companion refuses to embed
  Init();
  Show();
  EXPECT_EQ(Events(), "AEUD") << "unloaded at once";
  g_probe.writeOnApply = 1;
  Apply();
  EXPECT_EQ(Events(), "AEUD") << "never applied";
  EXPECT_EQ(pub.dmPaperSize, DMPAPER_A3);
  EXPECT_EQ(pub.dmDefaultSource, DMBIN_UPPER);
  EXPECT_EQ(pub.dmFields & (DM_PAPERSIZE | DM_DEFAULTSOURCE),
            static_cast<DWORD>(DM_PAPERSIZE | DM_DEFAULTSOURCE));
  EXPECT_EQ(pub.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(pub.dmYResolution, 300);
  ASSERT_EQ(host.results.size(), 1u);
  EXPECT_EQ(host.results[0].second, CPSUI_OK);
}

TEST_F(Page, WithoutPrivateRecordNothingIsApplied) {
  params.pOEMDM = nullptr;
  Init();
  Show();
  EXPECT_EQ(Events(), "AE");
  EXPECT_NE(g_probe.embedBody, nullptr) << "a local default record";
  const qv::PrivateDevmodeBody defaults = [] {
    qv::PrivateDevmodeBody b;
    qv::DefaultPrivateDevmode(&b);
    return b;
  }();
  EXPECT_EQ(std::memcmp(&g_probe.embedBodySeen, &defaults, sizeof defaults), 0);
  const DEVMODEW before = pub;
  Apply();
  EXPECT_EQ(Events(), "AE");
  EXPECT_EQ(std::memcmp(&pub, &before, sizeof pub), 0);
  EXPECT_TRUE(core.setOptions.empty());
  ASSERT_EQ(host.results.size(), 1u);
  EXPECT_EQ(host.results[0].second, CPSUI_OK) << "the sheet is still told";
}

TEST_F(Page, AForeignPrivateRecordIsNotEdited) {
  // A part that is not ours (here: one claiming 12 bytes) is never written through.
  Section foreign;
  std::memset(&foreign, 0x77, sizeof foreign);
  foreign.header = {12, 0x11111111, 0x22222222};
  params.pOEMDM = &foreign;
  Init();
  Show();
  EXPECT_NE(g_probe.embedBody, static_cast<void*>(&foreign.body));
  Apply();
  for (size_t i = 0; i < sizeof foreign.body; ++i)
    ASSERT_EQ(reinterpret_cast<const unsigned char*>(&foreign.body)[i], 0x77) << i;
}

TEST_F(Page, TitleFromAFullDeviceNameAndWithoutDevmode) {
  for (int i = 0; i < CCHDEVICENAME; ++i) pub.dmDeviceName[i] = static_cast<WCHAR>(L'a' + i % 26);
  pub.dmSpecVersion = 0x4141;  // what follows the name is not part of the title
  Init();
  EXPECT_EQ(host.added[0].title, std::wstring(pub.dmDeviceName, CCHDEVICENAME));

  SheetHost second;
  OEMUIPSPARAM other = params;
  other.pPublicDM = nullptr;
  other.pOEMUserData = nullptr;
  PROPSHEETUI_INFO otherInfo = info;
  otherInfo.hComPropSheet = &second;
  otherInfo.lParamInit = reinterpret_cast<LPARAM>(&other);
  ASSERT_EQ(plugin->DocumentPropertySheets(&otherInfo, 0), S_OK);
  ASSERT_EQ(second.added.size(), 1u);
  EXPECT_EQ(second.added[0].title, L"");
  DestroyPropertySheetPage(second.added[0].handle);
  otherInfo.Reason = PROPSHEETUI_REASON_DESTROY;
  EXPECT_EQ(plugin->DocumentPropertySheets(&otherInfo, 0), S_OK);
  EXPECT_EQ(other.pOEMUserData, nullptr);
}

TEST_F(Page, NotificationsOfThePage) {
  Init();
  Show();
  // The page's own procedure: SendMessage would answer DWLP_MSGRESULT instead.
  const auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(page, DWLP_DLGPROC));
  ASSERT_NE(proc, nullptr);
  auto notify = [&](UINT code) {
    NMHDR header = {};
    header.hwndFrom = sheet;
    header.code = code;
    SetWindowLongPtrW(page, DWLP_MSGRESULT, 55);
    return proc(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  };
  EXPECT_EQ(notify(PSN_KILLACTIVE), TRUE);
  EXPECT_EQ(GetWindowLongPtrW(page, DWLP_MSGRESULT), FALSE) << "leaving the page is allowed";
  EXPECT_EQ(notify(PSN_SETACTIVE), TRUE);
  EXPECT_EQ(GetWindowLongPtrW(page, DWLP_MSGRESULT), 0);
  EXPECT_EQ(notify(PSN_RESET), TRUE);
  EXPECT_EQ(notify(PSN_HELP), FALSE);
  EXPECT_EQ(proc(page, WM_NOTIFY, 0, 0), FALSE);
  EXPECT_EQ(proc(page, WM_COMMAND, IDOK, 0), FALSE);
  EXPECT_EQ(Events(), "AE") << "none of these applies";
  EXPECT_TRUE(host.results.empty());
}

TEST_F(Page, DestroyUnloadsAndFrees) {
  const int before = BusyBlocks(heap);
  Init();
  EXPECT_NE(params.pOEMUserData, nullptr);
  EXPECT_EQ(BusyBlocks(heap), before + 1) << "the context comes from the sheet's heap";
  Show();
  DestroyWindow(sheet);
  sheet = nullptr;
  Pump();
  EXPECT_EQ(Events(), "AE");
  Destroy();
  EXPECT_EQ(Events(), "AEUD");
  EXPECT_EQ(params.pOEMUserData, nullptr);
  EXPECT_EQ(BusyBlocks(heap), before);
  Destroy();  // a second destroy finds nothing to free
  EXPECT_EQ(Events(), "AEUD");
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  // The plug-in and its companion live in a directory of their own, as in the driver
  // directory: the companion must be found beside the plug-in, not beside the program.
  g_pluginDir = ProgramDir() + L"plugin\\";
  if (!LoadPlugin(g_pluginDir + L"qvui_dll.dll")) return 1;
  return RunAllAndUnload();
}
