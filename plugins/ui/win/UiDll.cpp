// qvui_dll's COM surface: the DLL entry points and the plug-in object IOemUI that the
// PostScript driver loads as its user-interface plug-in. Reference counts, module
// counts and the class factory IOemCF are the plumbing shared with qvrender (QvCom.h).
// The methods are thin: each hands its arguments to the DEVMODE exchange, the document
// page, the custom papers or the paper capabilities and turns their BOOL or count into
// an HRESULT.
#include <windows.h>

#include <new>

#include "DevmodeExchangeWin.h"
#include "DocumentPage.h"
#include "Module.h"
#include "Papers.h"
#include "QvCom.h"
#include "QvOemUi.h"

namespace qv {
namespace ui {
namespace {

HINSTANCE g_module = nullptr;

constexpr DWORD kSignature = kPrivateDevmodeSignature;  // 'TVRG'
constexpr DWORD kVersion = kPrivateDevmodeVersion;

class IOemUI final : public qvoem::ComObject<IOemUI, IPrintOemUI2> {
 public:
  // IPrintOemCommon is not answered: the driver asks for IPrintOemUI or IPrintOemUI2.
  static constexpr const IID* kInterfaces[] = {&IID_IUnknown, &IID_IPrintOemUI,
                                               &IID_IPrintOemUI2};

  IOemUI() { qvoem::ObjectCreated(); }

  // Makes one object for the class factory: count 1, counted; null without memory.
  static IUnknown* Create() { return new (std::nothrow) IOemUI(); }

  // IPrintOemCommon
  HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize,
                                    PDWORD pcbNeeded) override {
    if (dwMode != OEMGI_GETSIGNATURE && dwMode != OEMGI_GETINTERFACEVERSION &&
        dwMode != OEMGI_GETVERSION) {
      if (pcbNeeded) *pcbNeeded = 0;
      SetLastError(ERROR_INVALID_PARAMETER);
      return E_FAIL;
    }
    if (pBuffer && pcbNeeded && IsBadWritePtr(pBuffer, cbSize)) {
      *pcbNeeded = 0;
      SetLastError(ERROR_INVALID_PARAMETER);
      return E_FAIL;
    }
    if (pcbNeeded) *pcbNeeded = sizeof(DWORD);
    if (pBuffer && cbSize >= sizeof(DWORD)) {
      const DWORD value = dwMode == OEMGI_GETSIGNATURE          ? kSignature
                          : dwMode == OEMGI_GETINTERFACEVERSION ? PRINTER_OEMINTF_VERSION
                                                                : kVersion;
      CopyMemory(pBuffer, &value, sizeof value);  // the caller's buffer need not be aligned
      return S_OK;
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, POEMDMPARAM param) override {
    if (!param) return E_FAIL;
    // The printer handle plays no part in the exchange; no last error is set.
    return HandleOemDevModeW(dwMode, param->cbBufSize, param->pPublicDMOut, param->pOEMDMIn,
                             param->pOEMDMOut)
               ? S_OK
               : E_FAIL;
  }

  // IPrintOemUI
  HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) override {
    if (driver_) return S_OK;  // keep the first interface; the new one is not asked
    if (!pIUnknown) return E_FAIL;
    void* found = nullptr;
    if (SUCCEEDED(pIUnknown->QueryInterface(IID_IPrintCoreUI2, &found)) && found) {
      driver_ = static_cast<IUnknown*>(found);
      return S_OK;
    }
    found = nullptr;
    if (SUCCEEDED(pIUnknown->QueryInterface(IID_IPrintOemDriverUI, &found)) && found) {
      driver_ = static_cast<IUnknown*>(found);
      return S_OK;
    }
    driver_ = nullptr;
    return E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD dwMode, POEMCUIPPARAM param) override {
    return HandleCommonUIProp(dwMode, param) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO info,
                                                   LPARAM lParam) override {
    return AddDocumentPage(info, lParam, driver_) > 0 ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO info,
                                                 LPARAM lParam) override {
    return HandleDevicePropertySheets(info, lParam) > 0 ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW,
                                            PVOID) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ poemuiobj, HANDLE hPrinter,
                                               PWSTR pDeviceName, WORD wCapability,
                                               PVOID pOutput, PDEVMODEW pPublicDM, PVOID pOEMDM,
                                               DWORD dwOld, DWORD* dwResult) override {
    if (dwResult) {
      *dwResult = win::AppendCustomPapers(poemuiobj, hPrinter, pDeviceName, wCapability, pOutput,
                                     pPublicDM, pOEMDM, dwOld);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo) override {
    return win::HandleUpgradePrinter(dwLevel, pDriverUpgradeInfo) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD,
                                         LPARAM) override {
    win::HandlePrinterEvent(pPrinterName, iDriverEvent);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID, ULONG,
                                              VOID*, ULONG*, FLONG*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE, HANDLE, PWSTR) override {
    return E_NOTIMPL;
  }

  // IPrintOemUI2
  HRESULT STDMETHODCALLTYPE QueryJobAttributes(HANDLE, PDEVMODEW, DWORD, LPBYTE) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE HideStandardUI(DWORD dwMode) override {
    if (dwMode != OEMCUIP_DOCPROP) return E_NOTIMPL;
    hiddenMode_ = dwMode;  // the core driver hides its standard document pages
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DocumentEvent(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID,
                                          PINT) override {
    return E_NOTIMPL;
  }

 private:
  friend class qvoem::ComObject<IOemUI, IPrintOemUI2>;
  ~IOemUI() {
    if (IUnknown* d = driver_) {
      driver_ = nullptr;
      d->Release();
    }
    qvoem::ObjectDestroyed();
  }

  DWORD hiddenMode_ = 0;        // set by HideStandardUI; read by nothing
  IUnknown* driver_ = nullptr;  // IPrintCoreUI2 or IPrintOemDriverUI; one reference held
};

// The class factory: IUnknown and IClassFactory, not counted in the object count.
using IOemCF = qvoem::ClassFactory<&IOemUI::Create>;

}  // namespace

HINSTANCE ModuleInstance() { return g_module; }

}  // namespace ui
}  // namespace qv

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) qv::ui::g_module = instance;
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  return qvoem::GetClassObject<qv::ui::IOemCF>(rclsid, riid, ppv, CLSID_OEMUI);
}

STDAPI DllCanUnloadNow() { return qvoem::CanUnloadNow(); }
