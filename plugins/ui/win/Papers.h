// Custom papers, forms and paper capabilities on a real spooler: the entry points the
// IOemUI methods and the document page call. The logic is qv::ui's (CustomPapers.h,
// PaperCapabilities.h); these bind it to printer handles. None of them throws.
//
// Entry points (namespace qv::ui::win):
//   HasCustomPapers(hPrinter)                      -> BOOL
//   LoadCustomPapers(hPrinter, &list)              -> BOOL
//   SaveCustomPapers(hPrinter[, list])             -> BOOL; no list: the reset to
//                                                     [Maximum, Minimum] (CommonUIProp)
//   SyncForm(hPrinter, record)
//   GetMaxExtent(hPrinter) / GetMinExtent(hPrinter) -> Extent, tenths of a millimetre
//   OpenPrinterByName(name)                        -> HANDLE or null; caller closes
//   HandlePrinterEvent(pPrinterName, iDriverEvent)    IPrintOemUI::PrinterEvent (S_OK)
//   HandleUpgradePrinter(dwLevel, pDriverUpgradeInfo) IPrintOemUI::UpgradePrinter;
//                                                     always TRUE
//   AppendCustomPapers(poemuiobj, hPrinter, pDeviceName, wCapability, pOutput,
//                      pPublicDM, pOEMDM, dwOld)   -> DWORD for *pdwResult of
//                                                     IPrintOemUI::DeviceCapabilities
#pragma once

#include <windows.h>

#include "CustomPapers.h"
#include "QvOemUi.h"

namespace qv {
namespace ui {
namespace win {

BOOL HasCustomPapers(HANDLE printer);
BOOL LoadCustomPapers(HANDLE printer, CustomPaperList* list);
BOOL SaveCustomPapers(HANDLE printer, const CustomPaperList& list = CustomPaperList{});
void SyncForm(HANDLE printer, const CustomPaperRecord& record);
Extent GetMaxExtent(HANDLE printer);
Extent GetMinExtent(HANDLE printer);

HANDLE OpenPrinterByName(const wchar_t* name);

// Every event code resets the named printer's custom papers.
void HandlePrinterEvent(const wchar_t* printerName, int driverEvent);
// upgradeInfo begins with the printer name pointer (DRIVER_UPGRADE_INFO_1 / _2); null:
// nothing to do.
BOOL HandleUpgradePrinter(DWORD level, const BYTE* upgradeInfo);

// Only printer, capability, output and dwOld are used.
DWORD AppendCustomPapers(POEMUIOBJ poemuiobj, HANDLE printer, const wchar_t* deviceName,
                         WORD capability, void* output, const DEVMODEW* publicDM,
                         const void* oemDM, DWORD dwOld);

}  // namespace win
}  // namespace ui
}  // namespace qv
