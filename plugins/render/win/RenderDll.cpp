// qvrender's COM surface: the exported entry points and the plug-in object IOemPS that
// the PostScript driver loads as its rendering plug-in; reference counts, module counts
// and the class factory IOemPSCF are the plumbing shared with qvui_dll (QvCom.h).
#include <windows.h>

#include <new>

#include "Command.h"
#include "DevModeBridge.h"
#include "Hooks.h"
#include "PsOutput.h"
#include "QvCom.h"
#include "QvOemRender.h"

namespace qv {
namespace render {
namespace {

constexpr DWORD kSignature = 0x54565247;  // 'TVRG', also the private DEVMODE's signature
constexpr DWORD kVersion = 0x10410441;    // the private DEVMODE's version

class IOemPS final : public qvoem::ComObject<IOemPS, IPrintOemPS> {
 public:
  static constexpr const IID* kInterfaces[] = {&IID_IUnknown, &IID_IPrintOemPS};

  IOemPS() { qvoem::ObjectCreated(); }

  // Makes one object for the class factory: count 1, counted; null without memory.
  static IUnknown* Create() { return new (std::nothrow) IOemPS(); }

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
  friend class qvoem::ComObject<IOemPS, IPrintOemPS>;
  ~IOemPS() {
    ForgetDriver();
    qvoem::ObjectDestroyed();
  }
  void ForgetDriver() {
    if (IPrintOemDriverPS* d = driver_) {
      driver_ = nullptr;
      d->Release();
    }
  }

  IPrintOemDriverPS* driver_ = nullptr;  // one reference held while kept
};

// The class factory: IUnknown and IClassFactory, not counted in the object count.
using IOemPSCF = qvoem::ClassFactory<&IOemPS::Create>;

}  // namespace
}  // namespace render
}  // namespace qv

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  return qvoem::GetClassObject<qv::render::IOemPSCF>(rclsid, riid, ppv, CLSID_OEMRENDER);
}

STDAPI DllCanUnloadNow() { return qvoem::CanUnloadNow(); }
