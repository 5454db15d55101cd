// Render-side declarations of the PostScript driver's plug-in interface: the device
// object the driver hands to every call, the engine and PostScript plug-in interfaces a
// rendering plug-in implements, and the core driver's helper interface it calls back.
#pragma once

#include "QvOemCommon.h"

// The DDI types (DRVENABLEDATA, DRVFN, SURFOBJ, GDIINFO, DEVINFO, PFN_Drv*, INDEX_Drv*)
// come from mingw-w64's winddi.h; shim/ supplies the two DirectDraw headers it includes.
#include <winddi.h>

typedef PVOID PDEVOEM;

// The driver's device object. The driver owns it; a plug-in keeps its own per-device
// record in pdevOEM. The graphics hooks receive its address as their DHPDEV.
typedef struct _DEVOBJ {
  DWORD dwSize;
  PDEVOEM pdevOEM;     // the plug-in's record from EnablePDEV
  HANDLE hEngine;
  HANDLE hPrinter;     // spooler handle of the printer
  HANDLE hOEM;
  DEVMODEW* pPublicDM;
  PVOID pOEMDM;        // the plug-in's private DEVMODE section (OEM_DMEXTRAHEADER first)
  PVOID pDrvProcs;     // no longer used by the driver
} DEVOBJ, *PDEVOBJ;

// Slots 5-9.
struct IPrintOemEngine : public IPrintOemCommon {
  virtual HRESULT STDMETHODCALLTYPE EnableDriver(DWORD DriverVersion, DWORD cbSize,
                                                 PDRVENABLEDATA pded) = 0;
  virtual HRESULT STDMETHODCALLTYPE DisableDriver() = 0;
  virtual HRESULT STDMETHODCALLTYPE EnablePDEV(PDEVOBJ pdevobj, PWSTR pPrinterName,
                                               ULONG cPatterns, HSURF* phsurfPatterns,
                                               ULONG cjGdiInfo, GDIINFO* pGdiInfo,
                                               ULONG cjDevInfo, DEVINFO* pDevInfo,
                                               DRVENABLEDATA* pded, PDEVOEM* pDevOem) = 0;
  virtual HRESULT STDMETHODCALLTYPE DisablePDEV(PDEVOBJ pdevobj) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResetPDEV(PDEVOBJ pdevobjOld, PDEVOBJ pdevobjNew) = 0;
};

// Slots 10-11.
struct IPrintOemPS : public IPrintOemEngine {
  virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) = 0;
  virtual HRESULT STDMETHODCALLTYPE Command(PDEVOBJ pdevobj, DWORD dwIndex, PVOID pData,
                                            DWORD cbSize, DWORD* pdwResult) = 0;
};

// The core driver's helper (slots 3-4). DrvWriteSpoolBuf's last argument receives the
// number of bytes the driver took.
struct IPrintOemDriverPS : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pdriverobj, PCSTR Feature,
                                                        PVOID pOutput, DWORD cbSize,
                                                        PDWORD pcbNeeded,
                                                        PDWORD pdwOptionsReturned) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvWriteSpoolBuf(PDEVOBJ pdevobj, PVOID pBuffer,
                                                     DWORD cbSize, DWORD* pdwResult) = 0;
};

static_assert(sizeof(DEVOBJ) == qvoem::Pick(32, 64), "DEVOBJ size");
static_assert(offsetof(DEVOBJ, pdevOEM) == qvoem::Pick(4, 8), "DEVOBJ layout");
static_assert(offsetof(DEVOBJ, hEngine) == qvoem::Pick(8, 16), "DEVOBJ layout");
static_assert(offsetof(DEVOBJ, hPrinter) == qvoem::Pick(12, 24), "DEVOBJ layout");
static_assert(offsetof(DEVOBJ, hOEM) == qvoem::Pick(16, 32), "DEVOBJ layout");
static_assert(offsetof(DEVOBJ, pPublicDM) == qvoem::Pick(20, 40), "DEVOBJ layout");
static_assert(offsetof(DEVOBJ, pOEMDM) == qvoem::Pick(24, 48), "DEVOBJ layout");
static_assert(offsetof(DEVOBJ, pDrvProcs) == qvoem::Pick(28, 56), "DEVOBJ layout");
static_assert(sizeof(DRVENABLEDATA) == qvoem::Pick(12, 16), "DRVENABLEDATA size");
static_assert(offsetof(DRVENABLEDATA, pdrvfn) == qvoem::Pick(8, 8), "DRVENABLEDATA layout");
static_assert(sizeof(DRVFN) == qvoem::Pick(8, 16), "DRVFN size");
static_assert(offsetof(SURFOBJ, dhpdev) == qvoem::Pick(8, 16), "SURFOBJ layout");
