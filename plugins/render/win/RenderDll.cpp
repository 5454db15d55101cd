// qvrender's COM surface: the exported entry points, the class factory IOemPSCF and the
// plug-in object IOemPS that the PostScript driver loads as its rendering plug-in.
#include <windows.h>

#include <new>

#include "Command.h"
#include "DevModeBridge.h"
#include "Hooks.h"
#include "PsOutput.h"
#include "QvOemRender.h"

namespace qv {
namespace render {
namespace {

constexpr DWORD kSignature = 0x54565247;  // 'TVRG', also the private DEVMODE's signature
constexpr DWORD kVersion = 0x10410441;    // the private DEVMODE's version

// Live IOemPS objects and outstanding LockServer(TRUE) calls; factories are not
// counted. Changed only by interlocked operations.
LONG g_objectCount = 0;
LONG g_lockCount = 0;

class IOemPS final : public IPrintOemPS {
 public:
  IOemPS() { InterlockedIncrement(&g_objectCount); }
  IOemPS(const IOemPS&) = delete;
  IOemPS& operator=(const IOemPS&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemPS)) {
      *ppv = static_cast<IPrintOemPS*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IPrintOemCommon
  HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize,
                                    PDWORD pcbNeeded) override {
    if (!pcbNeeded) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return E_FAIL;
    }
    switch (dwMode) {
      case OEMGI_GETSIGNATURE:
      case OEMGI_GETVERSION: {
        *pcbNeeded = sizeof(DWORD);
        if (!pBuffer || cbSize < sizeof(DWORD)) {
          SetLastError(ERROR_INSUFFICIENT_BUFFER);
          return E_FAIL;
        }
        const DWORD value = dwMode == OEMGI_GETSIGNATURE ? kSignature : kVersion;
        CopyMemory(pBuffer, &value, sizeof value);  // the caller's buffer need not be aligned
        return S_OK;
      }
      case OEMGI_GETPUBLISHERINFO:
        *pcbNeeded = 8;
        return E_NOTIMPL;
      default:  // OEMGI_GETINTERFACEVERSION included: the rendering plug-in does not answer it
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
  }
  HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) override {
    if (RenderDevMode(dwMode, pOemDMParam)) return S_OK;
    SetLastError(ERROR_INVALID_PARAMETER);
    return E_FAIL;
  }

  // IPrintOemEngine
  HRESULT STDMETHODCALLTYPE EnableDriver(DWORD, DWORD, PDRVENABLEDATA pded) override {
    FillHookTable(pded);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DisableDriver() override {
    ForgetDriver();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnablePDEV(PDEVOBJ, PWSTR, ULONG, HSURF*, ULONG, GDIINFO*, ULONG,
                                       DEVINFO*, DRVENABLEDATA* pded,
                                       PDEVOEM* pDevOem) override {
    if (!pDevOem) return E_FAIL;  // nowhere to hand a record to: make none
    OemPdev* record = CreateOemPdev(pded);
    *pDevOem = record;
    return record ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE DisablePDEV(PDEVOBJ pdevobj) override {
    DestroyOemPdev(pdevobj);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResetPDEV(PDEVOBJ pdevobjOld, PDEVOBJ pdevobjNew) override {
    ResetOemPdev(pdevobjOld, pdevobjNew);
    return S_OK;
  }

  // IPrintOemPS
  HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) override {
    if (driver_) return S_OK;  // keep the first interface; the new one is not asked
    if (!pIUnknown) return E_FAIL;
    void* found = nullptr;
    if (FAILED(pIUnknown->QueryInterface(IID_IPrintOemDriverPS, &found)) || !found) {
      driver_ = nullptr;
      return E_FAIL;
    }
    driver_ = static_cast<IPrintOemDriverPS*>(found);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Command(PDEVOBJ pdevobj, DWORD dwIndex, PVOID pData, DWORD cbSize,
                                    DWORD* pdwResult) override {
    HandleCommand(pdevobj, dwIndex, pData, cbSize, driver_, pdwResult);
    return S_OK;
  }

 private:
  ~IOemPS() {
    ForgetDriver();
    InterlockedDecrement(&g_objectCount);
  }
  void ForgetDriver() {
    if (IPrintOemDriverPS* d = driver_) {
      driver_ = nullptr;
      d->Release();
    }
  }

  LONG refs_ = 1;
  IPrintOemDriverPS* driver_ = nullptr;  // one reference held while kept
};

class IOemPSCF final : public IClassFactory {
 public:
  IOemPSCF() = default;
  IOemPSCF(const IOemPSCF&) = delete;
  IOemPSCF& operator=(const IOemPSCF&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *ppv = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IOemPS* object = new (std::nothrow) IOemPS();
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();  // frees the object again when the query failed
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      InterlockedIncrement(&g_lockCount);
    else
      InterlockedDecrement(&g_lockCount);
    return S_OK;
  }

 private:
  ~IOemPSCF() = default;
  LONG refs_ = 1;
};

}  // namespace
}  // namespace render
}  // namespace qv

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!IsEqualCLSID(rclsid, CLSID_OEMRENDER)) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) qv::render::IOemPSCF();
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(riid, ppv);
  factory->Release();
  return hr;
}

STDAPI DllCanUnloadNow() {
  const LONG objects = InterlockedCompareExchange(&qv::render::g_objectCount, 0, 0);
  const LONG locks = InterlockedCompareExchange(&qv::render::g_lockCount, 0, 0);
  return objects == 0 && locks == 0 ? S_OK : S_FALSE;
}
