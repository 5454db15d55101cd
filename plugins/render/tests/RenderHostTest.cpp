// Plays the PostScript driver against the real qvrender.dll: loads it, creates the
// plug-in through its class factory, hands it a fake core driver that records every
// spool write and a fake table of the driver's own graphics functions, and drives a
// job through the hooks and the injection points.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ExpectedSetup.h"
#include "OemHostTest.h"
#include "PrivateDevmode.h"
#include "QvOemRender.h"
#include "QvOemUi.h"  // compiled here too: its layout checks run in both trees

namespace {

using qv::render::expected::DefaultSetupLines;
using qv::render::expected::Join;
using qv::render::expected::kDefaultDsc;
using qv::render::expected::Line;
using namespace qv::oem::test;

// ---- the fake core driver ----

class FakeDriver : public IPrintOemDriverPS {
 public:
  explicit FakeDriver(bool offerDriverPS = true) : offer_(offerDriverPS) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    ++queries;
    if (IsEqualIID(riid, IID_IUnknown) || (offer_ && IsEqualIID(riid, IID_IPrintOemDriverPS))) {
      *ppv = static_cast<IPrintOemDriverPS*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD,
                                                PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DrvWriteSpoolBuf(PDEVOBJ pdevobj, PVOID pBuffer, DWORD cbSize,
                                             DWORD* pdwResult) override {
    const char* text = static_cast<const char*>(pBuffer);
    writes.emplace_back(text, cbSize);
    devices.push_back(pdevobj);
    terminated = terminated && text[cbSize] == '\0';
    if (pdwResult) *pdwResult = 0;  // "nothing taken" and a failure: the plug-in goes on
    return E_FAIL;
  }

  LONG refs = 1;  // the test's own reference
  int queries = 0;
  bool terminated = true;
  std::vector<std::string> writes;
  std::vector<PDEVOBJ> devices;

 private:
  bool offer_;
};

// ---- the fake table of the driver's own graphics functions ----

struct DriverCalls {
  int realizeBrush = 0, bitBlt = 0, startDoc = 0, endDoc = 0, escape = 0, queryFont = 0;
  SURFOBJ* lastSurface = nullptr;
  std::wstring lastDocName;
  ULONG lastEscape = 0;
  void* lastEscapeInput = nullptr;
};
DriverCalls g_calls;

BOOL APIENTRY DriverRealizeBrush(BRUSHOBJ*, SURFOBJ*, SURFOBJ*, SURFOBJ*, XLATEOBJ*, ULONG) {
  ++g_calls.realizeBrush;
  return FALSE;
}
BOOL APIENTRY DriverBitBlt(SURFOBJ* psoTrg, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*,
                           POINTL*, POINTL*, BRUSHOBJ*, POINTL*, ROP4 rop4) {
  ++g_calls.bitBlt;
  g_calls.lastSurface = psoTrg;
  return rop4 == 0xCCCC ? TRUE : FALSE;
}
BOOL APIENTRY DriverStartDoc(SURFOBJ* pso, LPWSTR name, DWORD) {
  ++g_calls.startDoc;
  g_calls.lastSurface = pso;
  g_calls.lastDocName = name ? name : L"(null)";
  return TRUE;
}
BOOL APIENTRY DriverEndDoc(SURFOBJ* pso, FLONG) {
  ++g_calls.endDoc;
  g_calls.lastSurface = pso;
  return TRUE;
}
ULONG APIENTRY DriverEscape(SURFOBJ*, ULONG iEsc, ULONG, PVOID pvIn, ULONG, PVOID) {
  ++g_calls.escape;
  g_calls.lastEscape = iEsc;
  g_calls.lastEscapeInput = pvIn;
  return 77;
}
PIFIMETRICS APIENTRY DriverQueryFont(DHPDEV, ULONG_PTR, ULONG, ULONG_PTR*) {
  ++g_calls.queryFont;
  return reinterpret_cast<PIFIMETRICS>(&g_calls);
}

template <typename Fn>
PFN AsPfn(Fn f) {
  return reinterpret_cast<PFN>(reinterpret_cast<void (*)()>(f));
}
template <typename Fn>
Fn AsFn(PFN f) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(f));
}

// No DrvStretchBltROP and no DrvCopyBits: those saved entries stay empty.
DRVFN g_driverFunctions[] = {
    {INDEX_DrvEndDoc, AsPfn(DriverEndDoc)},
    {INDEX_DrvBitBlt, AsPfn(DriverBitBlt)},
    {INDEX_DrvRealizeBrush, AsPfn(DriverRealizeBrush)},
    {INDEX_DrvStartDoc, AsPfn(DriverStartDoc)},
    {INDEX_DrvEscape, AsPfn(DriverEscape)},
    {INDEX_DrvQueryFont, AsPfn(DriverQueryFont)},
    {INDEX_DrvStartDoc, AsPfn(DriverEndDoc)},  // a later duplicate is never taken
};
DRVENABLEDATA g_driverTable = {0x00020000, sizeof g_driverFunctions / sizeof(DRVFN),
                               g_driverFunctions};

// ---- helpers ----

IPrintOemPS* NewPlugin() { return NewPluginObject<IPrintOemPS>(CLSID_OEMRENDER, IID_IPrintOemPS); }

std::string UserLine() {
  WCHAR user[129] = {};
  DWORD size = 129;
  if (!GetUserNameW(user, &size)) return std::string();
  char utf8[600] = {};
  WideCharToMultiByte(CP_UTF8, 0, user, -1, utf8, sizeof utf8, nullptr, nullptr);
  bool plain = true;
  for (const char* p = utf8; *p; ++p) plain = plain && (isalnum(static_cast<unsigned char>(*p)) != 0);
  std::string v = utf8;
  if (!plain) {
    char hex[3];
    v = "<";
    for (const char* p = utf8; *p; ++p) {
      snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(*p));
      v += hex;
    }
    v += ">";
  }
  return "%%TAVIK-ForEx: " + v + "\r\n";
}

// A plug-in with a published fake driver, hooks enabled and one device.
class Job : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls = DriverCalls();
    plugin = NewPlugin();
    ASSERT_NE(plugin, nullptr);
    ASSERT_EQ(plugin->PublishDriverInterface(&driver), S_OK);
    ASSERT_EQ(plugin->EnableDriver(0x00020000, sizeof hooks, &hooks), S_OK);
    OpenDevice(dev, &section);
    surface.dhpdev = reinterpret_cast<DHPDEV>(&dev);
  }
  void TearDown() override {
    if (plugin) {
      if (dev.pdevOEM) {
        EXPECT_EQ(plugin->DisablePDEV(&dev), S_OK);
      }
      EXPECT_EQ(plugin->Release(), 0u);
    }
    EXPECT_EQ(driver.refs, 1) << "the kept driver interface is released exactly once";
  }
  void OpenDevice(DEVOBJ& d, void* oemdm) {
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    d.pOEMDM = oemdm;
    PDEVOEM record = kJunk;
    ASSERT_EQ(plugin->EnablePDEV(&d, const_cast<PWSTR>(L"QV"), 0, nullptr, 0, nullptr, 0,
                                 nullptr, &g_driverTable, &record),
              S_OK);
    ASSERT_NE(record, nullptr);
    d.pdevOEM = record;
  }
  template <typename Fn>
  Fn Hook(ULONG iFunc) {
    for (ULONG i = 0; i < hooks.c; ++i)
      if (hooks.pdrvfn[i].iFunc == iFunc) return AsFn<Fn>(hooks.pdrvfn[i].pfn);
    ADD_FAILURE() << "no hook for " << iFunc;
    return nullptr;
  }
  std::vector<std::string> Command(DWORD index, DEVOBJ* d, DWORD* result) {
    driver.writes.clear();
    EXPECT_EQ(plugin->Command(d, index, nullptr, 0, result), S_OK);
    return driver.writes;
  }
  BOOL StartDoc(const wchar_t* name) {
    return Hook<PFN_DrvStartDoc>(INDEX_DrvStartDoc)(&surface, const_cast<LPWSTR>(name), 7);
  }

  FakeDriver driver;
  IPrintOemPS* plugin = nullptr;
  DRVENABLEDATA hooks = {};
  Section section = OurSection();
  DEVOBJ dev = {};
  SURFOBJ surface = {};
};

// ---- the job ----

TEST_F(Job, DefaultRecordWritesCommentsAndSetupByteForByte) {
  DWORD before = 1234;
  EXPECT_EQ(Command(PSINJECT_COMMENTS, &dev, &before),
            (std::vector<std::string>{kDefaultDsc, UserLine()}))
      << "no title before the first DrvStartDoc";

  ASSERT_TRUE(StartDoc(L"Report.pdf"));
  EXPECT_EQ(g_calls.lastDocName, L"Report.pdf");
  EXPECT_EQ(g_calls.lastSurface, &surface);

  DWORD result = 1234;
  std::vector<std::string> writes = Command(PSINJECT_COMMENTS, &dev, &result);
  EXPECT_EQ(result, 0u);
  const std::string user = UserLine();
  ASSERT_FALSE(user.empty());
  EXPECT_EQ(writes, (std::vector<std::string>{
                        kDefaultDsc, "%%TAVIK-TitleEx: <5265706F72742E706466>\r\n", user}));

  writes = Command(PSINJECT_ENDSETUP, &dev, &result);
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(writes, std::vector<std::string>{Join(DefaultSetupLines())});
  EXPECT_TRUE(driver.terminated) << "every write is a NUL-terminated copy";
  for (PDEVOBJ d : driver.devices) EXPECT_EQ(d, &dev);

  ASSERT_TRUE(Hook<PFN_DrvEndDoc>(INDEX_DrvEndDoc)(&surface, 0));
  EXPECT_EQ(g_calls.endDoc, 1);
  writes = Command(PSINJECT_COMMENTS, &dev, &result);
  EXPECT_EQ(writes, (std::vector<std::string>{kDefaultDsc, user})) << "no title after EndDoc";
}

TEST_F(Job, InjectionIndexResults) {
  struct Case {
    DWORD index, result;
    bool writes;
  } const cases[] = {{PSINJECT_BEGINSTREAM, 50, false}, {PSINJECT_PSADOBE, 0, false},
                     {PSINJECT_COMMENTS, 0, true},      {PSINJECT_BEGINSETUP, 0, false},
                     {PSINJECT_ENDSETUP, 0, true},      {PSINJECT_ENDSTREAM, 0, false},
                     {PSINJECT_BEGINPAGESETUP, 0, false}, {PSINJECT_PAGENUMBER, 50, false},
                     {PSINJECT_ENDPAGESETUP, 50, false}, {PSINJECT_TRAILER, 50, false},
                     {0, 50, false},                    {0xFFFFFFFF, 50, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    DWORD result = 1234;
    EXPECT_EQ(Command(c.index, &dev, &result).empty(), !c.writes);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(Command(c.index, &dev, nullptr).empty(), !c.writes) << "null result pointer";
  }
}

TEST_F(Job, ForeignOrMissingRecordGivesTheDefaultOutput) {
  const std::string setup = Join(DefaultSetupLines());
  struct Case {
    const char* what;
    DWORD size, version;
  } const cases[] = {{"wrong version", 1056, 0x10410442}, {"short size", 1052, 0x10410441}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Section s = OurSection();
    s.body.Orientation = 1;
    s.body.PrintAndHold = 1;
    s.header.dwSize = c.size;
    s.header.dwVersion = c.version;
    dev.pOEMDM = &s;
    DWORD result = 1;
    EXPECT_EQ(Command(PSINJECT_ENDSETUP, &dev, &result), std::vector<std::string>{setup});
    EXPECT_EQ(Command(PSINJECT_COMMENTS, &dev, &result).at(0), kDefaultDsc);
  }
  dev.pOEMDM = nullptr;
  DWORD result = 1;
  EXPECT_EQ(Command(PSINJECT_ENDSETUP, &dev, &result), std::vector<std::string>{setup});
}

TEST_F(Job, OurRecordIsReadAndRepairedInACopy) {
  section.body.PrintAndHold = 1;
  section.body.Form1 = 13;
  section.body.Zoom = 0;  // invalid: 100 in the working copy
  DWORD result = 1;
  std::vector<std::string> writes = Command(PSINJECT_COMMENTS, &dev, &result);
  ASSERT_FALSE(writes.empty());
  EXPECT_NE(writes[0].find("%%TAVIK-Print-And-Hold: True\r\n"), std::string::npos);
  std::vector<std::string> lines = DefaultSetupLines();
  lines.insert(lines.begin() + 11, Line("(2)", "Form1"));  // after SimulationProfile
  EXPECT_EQ(Command(PSINJECT_ENDSETUP, &dev, &result), std::vector<std::string>{Join(lines)});
  EXPECT_EQ(section.body.Zoom, 0) << "the driver's DEVMODE is never changed";
}

TEST_F(Job, NothingIsWrittenWithoutDriverOrDevice) {
  DWORD result = 1;
  EXPECT_TRUE(Command(PSINJECT_ENDSETUP, nullptr, &result).empty());
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(plugin->DisableDriver(), S_OK);
  EXPECT_EQ(driver.refs, 1) << "DisableDriver releases the kept interface";
  result = 1;
  EXPECT_TRUE(Command(PSINJECT_COMMENTS, &dev, &result).empty());
  EXPECT_TRUE(Command(PSINJECT_ENDSETUP, &dev, &result).empty());
  EXPECT_EQ(result, 0u);
  // A new interface brings the output back.
  EXPECT_EQ(plugin->PublishDriverInterface(&driver), S_OK);
  EXPECT_EQ(Command(PSINJECT_ENDSETUP, &dev, &result).size(), 1u);

  // A device object without our record: the header comments, but neither the title
  // nor the user name, which both belong to a device we enabled.
  DEVOBJ bare = {};
  bare.pOEMDM = &section;
  EXPECT_EQ(Command(PSINJECT_COMMENTS, &bare, &result), std::vector<std::string>{kDefaultDsc});
}

TEST_F(Job, DocumentNameIsCutKeptAndCarried) {
  const std::wstring longName(600, L'a');
  ASSERT_TRUE(StartDoc(longName.c_str()));
  EXPECT_EQ(g_calls.lastDocName, longName) << "the driver gets the name unchanged";
  DWORD result;
  const std::string title = "%%TAVIK-TitleEx: " + std::string(511, 'a') + "\r\n";
  EXPECT_EQ(Command(PSINJECT_COMMENTS, &dev, &result).at(1), title);

  ASSERT_TRUE(StartDoc(nullptr));
  EXPECT_EQ(g_calls.startDoc, 2) << "still forwarded";
  EXPECT_EQ(Command(PSINJECT_COMMENTS, &dev, &result).at(1), title) << "name kept";

  ASSERT_TRUE(StartDoc(L"m\x00FCller"));
  DEVOBJ next;
  OpenDevice(next, &section);
  EXPECT_EQ(plugin->ResetPDEV(&dev, &next), S_OK);
  EXPECT_EQ(Command(PSINJECT_COMMENTS, &next, &result).at(1),
            "%%TAVIK-TitleEx: <6DC3BC6C6C6572>\r\n");
  DEVOBJ bare = {};
  EXPECT_EQ(plugin->ResetPDEV(&bare, &next), S_OK) << "missing record: nothing copied";
  EXPECT_EQ(plugin->ResetPDEV(nullptr, nullptr), S_OK);
  EXPECT_EQ(Command(PSINJECT_COMMENTS, &next, &result).size(), 3u);
  EXPECT_EQ(plugin->DisablePDEV(&next), S_OK);
  EXPECT_EQ(next.pdevOEM, nullptr);
}

TEST_F(Job, HooksForwardOrAnswerWithoutTheDriver) {
  // Hook table: 27 entries in the stored order, version 0x00010000.
  const ULONG order[] = {12, 19, 18, 20, 69, 70, 74, 71, 68, 23, 14, 15, 16, 33,
                         32, 24, 35, 34, 26, 27, 28, 53, 47, 37, 64, 65, 76};
  ASSERT_EQ(hooks.c, 27u);
  EXPECT_EQ(hooks.iDriverVersion, 0x00010000u);
  for (ULONG i = 0; i < 27; ++i) EXPECT_EQ(hooks.pdrvfn[i].iFunc, order[i]) << i;

  EXPECT_TRUE(Hook<PFN_DrvRealizeBrush>(INDEX_DrvRealizeBrush)(nullptr, &surface, nullptr,
                                                                nullptr, nullptr, 0));
  EXPECT_EQ(g_calls.realizeBrush, 0) << "brushes are realised without the driver";

  auto bitBlt = Hook<PFN_DrvBitBlt>(INDEX_DrvBitBlt);
  EXPECT_TRUE(bitBlt(&surface, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, 0xCCCC));
  EXPECT_FALSE(bitBlt(&surface, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                      nullptr, nullptr, 0)) << "the driver's failure comes back unchanged";
  EXPECT_EQ(g_calls.bitBlt, 2);
  EXPECT_EQ(g_calls.lastSurface, &surface);

  EXPECT_EQ(Hook<PFN_DrvQueryFont>(INDEX_DrvQueryFont)(reinterpret_cast<DHPDEV>(&dev), 0, 1,
                                                        nullptr),
            reinterpret_cast<PIFIMETRICS>(&g_calls));

  // Saved entries the driver did not offer, a device without record, no surface:
  // never called, answered as the driver's function fails.
  EXPECT_FALSE(Hook<PFN_DrvStretchBltROP>(INDEX_DrvStretchBltROP)(
      &surface, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
      0, nullptr, 0));
  EXPECT_FALSE(Hook<PFN_DrvCopyBits>(INDEX_DrvCopyBits)(&surface, nullptr, nullptr, nullptr,
                                                        nullptr, nullptr));
  EXPECT_EQ(Hook<PFN_DrvQueryFontData>(INDEX_DrvQueryFontData)(
                reinterpret_cast<DHPDEV>(&dev), nullptr, 0, 0, nullptr, nullptr, 0),
            FD_ERROR);
  DEVOBJ bare = {};
  SURFOBJ bareSurface = {};
  bareSurface.dhpdev = reinterpret_cast<DHPDEV>(&bare);
  EXPECT_FALSE(bitBlt(&bareSurface, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                      nullptr, nullptr, nullptr, 0xCCCC));
  EXPECT_FALSE(bitBlt(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                      nullptr, nullptr, 0xCCCC));
  EXPECT_FALSE(Hook<PFN_DrvStartDoc>(INDEX_DrvStartDoc)(&bareSurface, const_cast<LPWSTR>(L"x"), 1));
  EXPECT_EQ(Hook<PFN_DrvEscape>(INDEX_DrvEscape)(nullptr, QUERYESCSUPPORT, 0, nullptr, 0, nullptr),
            0u);
  EXPECT_EQ(g_calls.bitBlt, 2);
  EXPECT_EQ(g_calls.startDoc, 0);
  EXPECT_EQ(g_calls.escape, 0);
}

TEST_F(Job, EscapesWithoutPrinterAreForwarded) {
  auto escape = Hook<PFN_DrvEscape>(INDEX_DrvEscape);
  DWORD query = POSTSCRIPT_PASSTHROUGH;
  EXPECT_EQ(escape(&surface, QUERYESCSUPPORT, 4, &query, 0, nullptr), 77u);
  EXPECT_EQ(g_calls.lastEscapeInput, &query);
  EXPECT_EQ(escape(&surface, POSTSCRIPT_PASSTHROUGH, 0, nullptr, 0, nullptr), 77u);
  EXPECT_EQ(g_calls.escape, 2);
}

// ---- the escape veto against a real printer's data ----

class Printer {
 public:
  explicit Printer(const wchar_t* name) : name_(name) {}
  bool Create() {
    const std::wstring file = EmptyTempFile(L"qvrender-host-driver.txt");
    if (file.empty()) return false;
    handle = AddFilePrinter(name_, L"QV Host Test Driver", file, file);
    return handle != nullptr;
  }
  bool Set(DWORD type, const void* data, DWORD size) {
    return SetPrinterDataW(handle, const_cast<LPWSTR>(L"DeclinePassThroughAndData"), type,
                           static_cast<LPBYTE>(const_cast<void*>(data)), size) == ERROR_SUCCESS;
  }
  ~Printer() {
    if (handle) ClosePrinter(handle);
  }
  HANDLE handle = nullptr;

 private:
  const wchar_t* name_;
};

TEST_F(Job, PassThroughVetoFollowsThePrinterData) {
  Printer printer(L"QV Veto Printer");
  ASSERT_TRUE(printer.Create()) << GetLastError();
  dev.hPrinter = printer.handle;
  auto escape = Hook<PFN_DrvEscape>(INDEX_DrvEscape);
  const DWORD passThrough = POSTSCRIPT_PASSTHROUGH, data = POSTSCRIPT_DATA, other = 4114;
  const WORD shortData = POSTSCRIPT_DATA;
  const ULONG64 wide = POSTSCRIPT_PASSTHROUGH;
  const BYTE one = 1;

  struct Case {
    ULONG esc, cjIn;
    const void* pvIn;
    bool vetoed;  // when the value is set
  } const cases[] = {
      {QUERYESCSUPPORT, 4, &passThrough, true},
      {QUERYESCSUPPORT, 4, &data, true},
      {QUERYESCSUPPORT, 4, &other, false},
      {QUERYESCSUPPORT, 2, &shortData, true},
      {QUERYESCSUPPORT, 1, &one, false},
      {QUERYESCSUPPORT, 8, &wide, sizeof(void*) == 8},
      {QUERYESCSUPPORT, 4, nullptr, false},  // nothing to read: forwarded
      {POSTSCRIPT_PASSTHROUGH, 4, &passThrough, false},
  };
  auto run = [&](const char* setting, bool set) {
    SCOPED_TRACE(setting);
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.esc << "/" << c.cjIn);
      g_calls.escape = 0;
      const ULONG answer = escape(&surface, c.esc, c.cjIn, const_cast<void*>(c.pvIn), 0, nullptr);
      const bool vetoed = set && c.vetoed;
      EXPECT_EQ(answer, vetoed ? 0u : 77u);
      EXPECT_EQ(g_calls.escape, vetoed ? 0 : 1);
    }
  };
  run("absent", false);
  const DWORD on = 1, off = 0;
  ASSERT_TRUE(printer.Set(REG_DWORD, &on, 4));
  run("1", true);
  const BYTE binaryOn[2] = {0, 1};
  ASSERT_TRUE(printer.Set(REG_BINARY, binaryOn, 2));
  run("2-byte binary 0x0100", true);
  ASSERT_TRUE(printer.Set(REG_DWORD, &off, 4));
  run("0", false);
  const BYTE tooLong[8] = {1, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_TRUE(printer.Set(REG_BINARY, tooLong, 8));
  run("longer than 4 bytes", false);
}

// ---- COM rules ----

TEST(RenderCom, ExportsAndClassObject) {
  ExpectClassObjectRefusals(CLSID_OEMRENDER, CLSID_OEMUI, IID_IPrintOemPS);

  void* p = kJunk;
  ASSERT_EQ(g_getClassObject(CLSID_OEMRENDER, IID_IUnknown, &p), S_OK);
  auto* unk = static_cast<IUnknown*>(p);
  void* cf = nullptr;
  EXPECT_EQ(unk->QueryInterface(IID_IClassFactory, &cf), S_OK);
  void* other = kJunk;
  EXPECT_EQ(unk->QueryInterface(IID_IPrintOemPS, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(static_cast<IClassFactory*>(cf)->Release(), 1u);
  EXPECT_EQ(g_canUnloadNow(), S_OK) << "factories are not counted";
  EXPECT_EQ(unk->Release(), 0u);
  EXPECT_EQ(g_canUnloadNow(), S_OK);
}

TEST(RenderCom, CreateInstanceAndUnloadCounting) {
  IClassFactory* cf = Factory(CLSID_OEMRENDER);
  ASSERT_NE(cf, nullptr);
  ExpectCreateInstanceRefusals(cf, IID_IPrintOemPS, IID_IPrintOemPS, IID_IClassFactory);
  ExpectLockServerCounts(cf);

  void* p = nullptr;
  ASSERT_EQ(cf->CreateInstance(nullptr, IID_IUnknown, &p), S_OK);
  auto* unk = static_cast<IUnknown*>(p);
  EXPECT_EQ(g_canUnloadNow(), S_FALSE);
  void* ps = nullptr;
  EXPECT_EQ(unk->QueryInterface(IID_IPrintOemPS, &ps), S_OK);
  EXPECT_EQ(ps, p) << "one object behind both interfaces";
  void* none = kJunk;
  EXPECT_EQ(unk->QueryInterface(IID_IPrintOemUI, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(unk->Release(), 1u);
  EXPECT_EQ(g_canUnloadNow(), S_FALSE);
  EXPECT_EQ(static_cast<IUnknown*>(ps)->Release(), 0u);
  EXPECT_EQ(g_canUnloadNow(), S_OK);
  EXPECT_EQ(cf->Release(), 0u);
}

TEST(RenderCom, DriverInterfaceIsKeptOnceAndReleasedOnce) {
  FakeDriver refusing(false);
  FakeDriver first, second;
  IPrintOemPS* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->PublishDriverInterface(&refusing), E_FAIL);
  EXPECT_EQ(refusing.refs, 1);
  EXPECT_EQ(plugin->PublishDriverInterface(&first), S_OK);
  EXPECT_EQ(first.refs, 2);
  EXPECT_EQ(plugin->PublishDriverInterface(&second), S_OK);
  EXPECT_EQ(second.queries, 0) << "the second interface is not even asked";
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(first.refs, 1) << "released by the final Release without DisableDriver";

  plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->PublishDriverInterface(&first), S_OK);
  EXPECT_EQ(plugin->DisableDriver(), S_OK);
  EXPECT_EQ(plugin->DisableDriver(), S_OK);
  EXPECT_EQ(first.refs, 1);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(first.refs, 1);
  EXPECT_EQ(g_canUnloadNow(), S_OK);
}

TEST(RenderCom, GetInfoTable) {
  IPrintOemPS* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  const GetInfoCase cases[] = {
      {OEMGI_GETSIGNATURE, 4, true, S_OK, 4, 0, 0x54565247},
      {OEMGI_GETVERSION, 8, true, S_OK, 4, 0, 0x10410441},
      {OEMGI_GETSIGNATURE, 3, true, E_FAIL, 4, ERROR_INSUFFICIENT_BUFFER, 0xEEEEEEEE},
      {OEMGI_GETVERSION, 4, false, E_FAIL, 4, ERROR_INSUFFICIENT_BUFFER, 0xEEEEEEEE},
      {OEMGI_GETINTERFACEVERSION, 4, true, E_FAIL, 0xDDDD, ERROR_INVALID_PARAMETER, 0xEEEEEEEE},
      {OEMGI_GETPUBLISHERINFO, 8, true, E_NOTIMPL, 8, 0, 0xEEEEEEEE},
      {99, 4, true, E_FAIL, 0xDDDD, ERROR_INVALID_PARAMETER, 0xEEEEEEEE},
  };
  ExpectGetInfoTable(plugin, cases);
  SetLastError(0);
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, nullptr, 4, nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  plugin->Release();
}

TEST(RenderCom, EnablePDEVWithoutOutPointerOrTable) {
  IPrintOemPS* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  DEVOBJ d = {};
  EXPECT_EQ(plugin->EnablePDEV(&d, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, &g_driverTable,
                               nullptr),
            E_FAIL);
  PDEVOEM record = nullptr;
  EXPECT_EQ(plugin->EnablePDEV(&d, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, nullptr, &record),
            S_OK) << "a device with no driver functions: every saved entry empty";
  d.pdevOEM = record;
  EXPECT_EQ(plugin->DisablePDEV(&d), S_OK);
  EXPECT_EQ(d.pdevOEM, nullptr);
  EXPECT_EQ(plugin->DisablePDEV(nullptr), S_OK);
  EXPECT_EQ(plugin->EnableDriver(0, 0, nullptr), S_OK);
  plugin->Release();
}

// ---- DevMode in its four modes ----

TEST(RenderCom, DevModeModes) {
  IPrintOemPS* plugin = NewPlugin();
  ASSERT_NE(plugin, nullptr);
  DEVMODEW pub = {};
  pub.dmSize = sizeof pub;
  unsigned char out[1056 + 16];
  OEMDMPARAM param = {};
  param.cbSize = sizeof param;
  param.pPublicDMIn = param.pPublicDMOut = &pub;
  param.pOEMDMOut = out;

  param.cbBufSize = 0;
  EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &param), S_OK);
  EXPECT_EQ(param.cbBufSize, 1056u);

  auto header = [&]() {
    qv::DmExtraHeader h;
    std::memcpy(&h, out, sizeof h);
    return h;
  };
  // DEFAULT writes our record and nothing beyond it.
  std::memset(out, 0xAB, sizeof out);
  param.cbBufSize = 1056;
  EXPECT_EQ(plugin->DevMode(OEMDM_DEFAULT, &param), S_OK);
  EXPECT_TRUE(qv::IsOurPrivateDevmodeHeader(header()));
  for (size_t i = 1056; i < sizeof out; ++i) EXPECT_EQ(out[i], 0xAB) << i;

  // CONVERT and MERGE copy only our own record; anything else becomes the defaults.
  Section ours = OurSection();
  ours.body.Zoom = 250;
  Section foreign = ours;
  foreign.header.dwVersion = 1;
  for (DWORD mode : {DWORD(OEMDM_CONVERT), DWORD(OEMDM_MERGE)}) {
    SCOPED_TRACE(mode);
    param.pOEMDMIn = &ours;
    std::memset(out, 0, sizeof out);
    EXPECT_EQ(plugin->DevMode(mode, &param), S_OK);
    Section got;
    std::memcpy(&got, out, sizeof got);
    EXPECT_EQ(got.body.Zoom, 250);
    param.pOEMDMIn = &foreign;
    EXPECT_EQ(plugin->DevMode(mode, &param), S_OK);
    std::memcpy(&got, out, sizeof got);
    EXPECT_TRUE(qv::IsOurPrivateDevmodeHeader(got.header));
    EXPECT_EQ(got.body.Zoom, 100);
  }

  // Too small an output, an unknown mode, no parameter block: refused, last error set.
  std::memset(out, 0xAB, sizeof out);
  param.cbBufSize = 1055;
  SetLastError(0);
  EXPECT_EQ(plugin->DevMode(OEMDM_DEFAULT, &param), E_FAIL);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(out[0], 0xAB) << "nothing written";
  param.cbBufSize = 1056;
  EXPECT_EQ(plugin->DevMode(7, &param), E_FAIL);
  EXPECT_EQ(plugin->DevMode(OEMDM_DEFAULT, nullptr), E_FAIL);
  plugin->Release();
}

// ---- interface layout: vtable slots as the driver calls them ----

template <typename M>
size_t Slot(M member) {
  // GCC's pointer to a virtual member holds 1 + the byte offset into the vtable.
  struct Raw {
    uintptr_t ptr, adj;
  } raw;
  static_assert(sizeof(M) == sizeof(Raw), "pointer-to-member layout");
  std::memcpy(&raw, &member, sizeof raw);
  return (raw.ptr - 1) / sizeof(void*);
}

TEST(OemLayout, VtableSlots) {
  EXPECT_EQ(Slot(&IPrintOemPS::GetInfo), 3u);
  EXPECT_EQ(Slot(&IPrintOemPS::DevMode), 4u);
  EXPECT_EQ(Slot(&IPrintOemPS::EnableDriver), 5u);
  EXPECT_EQ(Slot(&IPrintOemPS::DisableDriver), 6u);
  EXPECT_EQ(Slot(&IPrintOemPS::EnablePDEV), 7u);
  EXPECT_EQ(Slot(&IPrintOemPS::DisablePDEV), 8u);
  EXPECT_EQ(Slot(&IPrintOemPS::ResetPDEV), 9u);
  EXPECT_EQ(Slot(&IPrintOemPS::PublishDriverInterface), 10u);
  EXPECT_EQ(Slot(&IPrintOemPS::Command), 11u);
  EXPECT_EQ(Slot(&IPrintOemDriverPS::DrvGetDriverSetting), 3u);
  EXPECT_EQ(Slot(&IPrintOemDriverPS::DrvWriteSpoolBuf), 4u);

  EXPECT_EQ(Slot(&IPrintOemUI::PublishDriverInterface), 5u);
  EXPECT_EQ(Slot(&IPrintOemUI::CommonUIProp), 6u);
  EXPECT_EQ(Slot(&IPrintOemUI::DocumentPropertySheets), 7u);
  EXPECT_EQ(Slot(&IPrintOemUI::DevQueryPrintEx), 9u);
  EXPECT_EQ(Slot(&IPrintOemUI::DeviceCapabilities), 10u);
  EXPECT_EQ(Slot(&IPrintOemUI::QueryColorProfile), 14u);
  EXPECT_EQ(Slot(&IPrintOemUI::UpdateExternalFonts), 16u);
  EXPECT_EQ(Slot(&IPrintOemUI2::QueryJobAttributes), 17u);
  EXPECT_EQ(Slot(&IPrintOemUI2::DocumentEvent), 19u);
  EXPECT_EQ(Slot(&IPrintOemDriverUI::DrvUpdateUISetting), 5u);
  EXPECT_EQ(Slot(&IPrintCoreUI2::GetOptions), 6u);
  EXPECT_EQ(Slot(&IPrintCoreUI2::SetOptions), 7u);
  EXPECT_EQ(Slot(&IPrintCoreUI2::QuerySimulationSupport), 15u);
}

}  // namespace

// Loads the DLL that the build placed beside this program.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!qv::oem::test::LoadPlugin(qv::oem::test::ProgramDir() + L"qvrender.dll")) return 1;
  return qv::oem::test::RunAllAndUnload();
}
