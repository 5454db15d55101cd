// User-interface side declarations of the PostScript driver's plug-in interface: the
// interfaces a UI plug-in implements, the core driver's UI helpers it calls back and
// the parameter records they pass. mingw-w64 ships none of these.
//
// Note: with UNICODE, wingdi.h and winspool.h turn the names DeviceCapabilities and
// DocumentEvent into DeviceCapabilitiesW / DocumentEventW macros. They rename the
// methods below and every override alike, so the vtable is unaffected as long as all
// translation units include the system headers first (this header does).
#pragma once

#include "QvOemCommon.h"

#include <winspool.h>
#include <compstui.h>

// IPrintOemUI::CommonUIProp modes.
#define OEMCUIP_DOCPROP 1
#define OEMCUIP_PRNPROP 2

// OEMUIPSPARAM.dwFlags: the user may not change the settings shown.
#ifndef DM_NOPERMISSION
#define DM_NOPERMISSION 0x00000020
#endif

// IPrintCoreUI2::SetOptions flags and results.
#define SETOPTIONS_FLAG_RESOLVE_CONFLICT 0x00000001
#define SETOPTIONS_FLAG_KEEP_CONFLICT 0x00000002
#define SETOPTIONS_RESULT_NO_CONFLICT 0
#define SETOPTIONS_RESULT_CONFLICT_RESOLVED 1
#define SETOPTIONS_RESULT_CONFLICT_REMAINED 2

// Private to the driver: plug-ins only hand POEMUIOBJ back to the helper methods.
typedef struct _OEMUIPROCS {
  BOOL(APIENTRY* DrvGetDriverSetting)(PVOID, PCSTR, PVOID, DWORD, PDWORD, PDWORD);
  BOOL(APIENTRY* DrvUpdateUISetting)(PVOID, PVOID, DWORD, DWORD);
} OEMUIPROCS, *POEMUIPROCS;

typedef struct _OEMUIOBJ {
  DWORD cbSize;
  POEMUIPROCS pOemUIProcs;
} OEMUIOBJ, *POEMUIOBJ;

struct _OEMCUIPPARAM;
typedef LONG(APIENTRY* OEMCUIPCALLBACK)(PCPSUICBPARAM, struct _OEMCUIPPARAM*);

// Parameter block of IPrintOemUI::CommonUIProp.
typedef struct _OEMCUIPPARAM {
  DWORD cbSize;
  POEMUIOBJ poemuiobj;
  HANDLE hPrinter;
  PWSTR pPrinterName;
  HANDLE hModule;
  HANDLE hOEMHeap;         // allocate OPTTYPE / OPTPARAM records here
  DEVMODEW* pPublicDM;     // document properties only
  PVOID pOEMDM;
  DWORD dwFlags;
  POPTITEM pDrvOptItems;
  DWORD cDrvOptItems;
  POPTITEM pOEMOptItems;
  DWORD cOEMOptItems;      // first call: the plug-in stores the count it needs
  PVOID pOEMUserData;
  OEMCUIPCALLBACK OEMCUIPCallback;
} OEMCUIPPARAM, *POEMCUIPPARAM;

// Arrives in PROPSHEETUI_INFO.lParamInit of the property-sheet methods. The order after
// pOEMDM differs from OEMCUIPPARAM.
typedef struct _OEMUIPSPARAM {
  DWORD cbSize;
  POEMUIOBJ poemuiobj;
  HANDLE hPrinter;
  PWSTR pPrinterName;
  HANDLE hModule;
  HANDLE hOEMHeap;
  DEVMODEW* pPublicDM;     // document sheets only
  PVOID pOEMDM;            // document sheets only
  PVOID pOEMUserData;
  DWORD dwFlags;
  PVOID pOemEntry;         // reserved
} OEMUIPSPARAM, *POEMUIPSPARAM;

// Argument of DevQueryPrintEx.
typedef struct _DEVQUERYPRINT_INFO {
  WORD cbSize;
  WORD Level;              // always 1
  HANDLE hPrinter;
  DEVMODEW* pDevMode;
  LPWSTR pszErrorStr;
  DWORD cchErrorStr;
  DWORD cchNeeded;
} DEVQUERYPRINT_INFO, *PDEVQUERYPRINT_INFO;

// Slots 5-16.
struct IPrintOemUI : public IPrintOemCommon {
  virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) = 0;
  virtual HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                           LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                         LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ poemuiobj,
                                                    PDEVQUERYPRINT_INFO pDQPInfo,
                                                    PDEVMODEW pPublicDM, PVOID pOEMDM) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ poemuiobj, HANDLE hPrinter,
                                                       PWSTR pDeviceName, WORD wCapability,
                                                       PVOID pOutput, PDEVMODEW pPublicDM,
                                                       PVOID pOEMDM, DWORD dwOld,
                                                       DWORD* dwResult) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR pPrinterName, INT iDriverEvent,
                                                 DWORD dwFlags, LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DriverEvent(DWORD dwDriverEvent, DWORD dwLevel,
                                                LPBYTE pDriverInfo, LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE hPrinter, POEMUIOBJ poemuiobj,
                                                      PDEVMODEW pPublicDM, PVOID pOEMDM,
                                                      ULONG ulQueryMode, VOID* pvProfileData,
                                                      ULONG* pcbProfileData,
                                                      FLONG* pflProfileData) = 0;
  virtual HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND hWnd, UINT usMsg, WPARAM wParam,
                                                         LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE hPrinter, HANDLE hHeap,
                                                        PWSTR pwstrCartridges) = 0;
};

// Slots 17-19.
struct IPrintOemUI2 : public IPrintOemUI {
  virtual HRESULT STDMETHODCALLTYPE QueryJobAttributes(HANDLE hPrinter, PDEVMODEW pDevmode,
                                                       DWORD dwLevel, LPBYTE lpAttributeInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE HideStandardUI(DWORD dwMode) = 0;
  virtual HRESULT STDMETHODCALLTYPE DocumentEvent(HANDLE hPrinter, HDC hdc, INT iEsc, ULONG cbIn,
                                                  PVOID pvIn, ULONG cbOut, PVOID pvOut,
                                                  PINT piResult) = 0;
};

// The core driver's UI helper (slots 3-5).
struct IPrintOemDriverUI : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pci, PCSTR Feature, PVOID pOutput,
                                                        DWORD cbSize, PDWORD pcbNeeded,
                                                        PDWORD pdwOptionsReturned) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE hPrinter, PCSTR pFeature,
                                                              PCSTR pOption) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID pci, PVOID pOptItem,
                                                       DWORD dwPreviousSelection,
                                                       DWORD dwMode) = 0;
};

// Its successor (slots 6-15; SetOptions is slot 7). Feature/option buffers are
// double-NUL-terminated lists of 8-bit strings.
struct IPrintCoreUI2 : public IPrintOemDriverUI {
  virtual HRESULT STDMETHODCALLTYPE GetOptions(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                               PCSTR pmszFeaturesRequested, DWORD cbIn,
                                               PSTR pmszFeatureOptionBuf, DWORD cbSize,
                                               PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetOptions(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                               PCSTR pmszFeatureOptionBuf, DWORD cbIn,
                                               PDWORD pdwResult) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnumConstrainedOptions(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                           PCSTR pszFeatureKeyword,
                                                           PSTR pmszConstrainedOptionList,
                                                           DWORD cbSize, PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE WhyConstrained(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                   PCSTR pszFeatureKeyword,
                                                   PCSTR pszOptionKeyword, PSTR pmszReasonList,
                                                   DWORD cbSize, PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetGlobalAttribute(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                       PCSTR pszAttribute, PDWORD pdwDataType,
                                                       PBYTE pbData, DWORD cbSize,
                                                       PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFeatureAttribute(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                        PCSTR pszFeatureKeyword,
                                                        PCSTR pszAttribute, PDWORD pdwDataType,
                                                        PBYTE pbData, DWORD cbSize,
                                                        PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetOptionAttribute(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                       PCSTR pszFeatureKeyword,
                                                       PCSTR pszOptionKeyword,
                                                       PCSTR pszAttribute, PDWORD pdwDataType,
                                                       PBYTE pbData, DWORD cbSize,
                                                       PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnumFeatures(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                 PSTR pmszFeatureList, DWORD cbSize,
                                                 PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnumOptions(POEMUIOBJ poemuiobj, DWORD dwFlags,
                                                PCSTR pszFeatureKeyword, PSTR pmszOptionList,
                                                DWORD cbSize, PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE QuerySimulationSupport(HANDLE hPrinter, DWORD dwLevel,
                                                           PBYTE pCaps, DWORD cbSize,
                                                           PDWORD pcbNeeded) = 0;
};

static_assert(sizeof(OEMUIOBJ) == qvoem::Pick(8, 16), "OEMUIOBJ size");
static_assert(sizeof(OEMUIPROCS) == qvoem::Pick(8, 16), "OEMUIPROCS size");
static_assert(sizeof(OEMCUIPPARAM) == qvoem::Pick(60, 120), "OEMCUIPPARAM size");
static_assert(offsetof(OEMCUIPPARAM, pPublicDM) == qvoem::Pick(24, 48), "OEMCUIPPARAM layout");
static_assert(offsetof(OEMCUIPPARAM, dwFlags) == qvoem::Pick(32, 64), "OEMCUIPPARAM layout");
static_assert(offsetof(OEMCUIPPARAM, pOEMOptItems) == qvoem::Pick(44, 88), "OEMCUIPPARAM layout");
static_assert(offsetof(OEMCUIPPARAM, cOEMOptItems) == qvoem::Pick(48, 96), "OEMCUIPPARAM layout");
static_assert(offsetof(OEMCUIPPARAM, OEMCUIPCallback) == qvoem::Pick(56, 112),
              "OEMCUIPPARAM layout");
static_assert(sizeof(OEMUIPSPARAM) == qvoem::Pick(44, 88), "OEMUIPSPARAM size");
static_assert(offsetof(OEMUIPSPARAM, pOEMUserData) == qvoem::Pick(32, 64), "OEMUIPSPARAM layout");
static_assert(offsetof(OEMUIPSPARAM, dwFlags) == qvoem::Pick(36, 72), "OEMUIPSPARAM layout");
static_assert(offsetof(OEMUIPSPARAM, pOemEntry) == qvoem::Pick(40, 80), "OEMUIPSPARAM layout");
static_assert(sizeof(DEVQUERYPRINT_INFO) == qvoem::Pick(24, 40), "DEVQUERYPRINT_INFO size");
static_assert(offsetof(DEVQUERYPRINT_INFO, hPrinter) == qvoem::Pick(4, 8), "DEVQUERYPRINT_INFO layout");
static_assert(offsetof(DEVQUERYPRINT_INFO, cchNeeded) == qvoem::Pick(20, 36), "DEVQUERYPRINT_INFO layout");
static_assert(sizeof(PROPSHEETUI_INFO) == qvoem::Pick(28, 48), "PROPSHEETUI_INFO size");
