// The document property page (an empty dialog whose controls the companion library
// draws), the device-sheet answers and the common UI callback of qvui_dll.
#pragma once

#include <windows.h>

#include "DevmodeExchange.h"
#include "PageRules.h"
#include "PrivateDevmode.h"
#include "QvOemUi.h"

namespace qv {
namespace ui {

// One per document sheet: allocated zeroed from the sheet's hOEMHeap at
// PROPSHEETUI_REASON_INIT, kept in OEMUIPSPARAM.pOEMUserData, freed at
// PROPSHEETUI_REASON_DESTROY.
struct SheetContext {
  HANDLE sheet;                 // hComPropSheet
  PFNCOMPROPSHEET callback;     // pfnComPropSheet
  OEMUIPSPARAM* params;
  IUnknown* driver;             // published to the plug-in object; not owned
  HANDLE page;                  // what adding the page returned
  WCHAR dataFileName[kDataFileNameLength + 1];
  WCHAR printerName[kPrinterNameLength + 3];
  HMODULE companion;            // the loaded companion library, or null
};

// IPrintOemUI::DocumentPropertySheets: adds the page (REASON_INIT), frees the sheet's
// context (REASON_DESTROY), passes SETRESULT_INFO.Result on (REASON_SET_RESULT). The
// result is also stored in info->Result; 0 is a failure.
LONG_PTR AddDocumentPage(PROPSHEETUI_INFO* info, LPARAM lParam, IUnknown* driver);

// The page's dialog procedure.
INT_PTR CALLBACK PageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// IPrintOemUI::DevicePropertySheets: adds no page.
LONG_PTR HandleDevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam);

// IPrintOemUI::CommonUIProp: resets the printer's custom papers, installs the mode's
// callback and (printer properties) disables the driver's items of level 2 and help
// index 1032. FALSE with ERROR_INVALID_PARAMETER for an unknown mode.
BOOL HandleCommonUIProp(DWORD mode, OEMCUIPPARAM* param);

// Loads the companion beside the plug-in and lets it embed its controls; a companion
// that is missing or refuses is unloaded again at once.
void EmbedCompanion(HWND page, SheetContext* context, PrivateDevmodeBody* body,
                    PaperSettings* settings, bool readOnly);
// Lets the loaded companion write the user's choices into body and settings.
void ApplyCompanion(SheetContext* context, PrivateDevmodeBody* body, PaperSettings* settings);
// UnembedExternal, then FreeLibrary; nothing without a loaded companion.
void UnloadCompanion(SheetContext* context);

// The companion's path into buffer (kCompanionPathCapacity characters): the plug-in's
// own file name cut at its last "_", plus ".dll". FALSE when the own path cannot be
// read whole or does not end in ".dll".
BOOL CompanionPath(WCHAR* buffer);

// The file part of the printer driver's data file into buffer (capacity characters,
// at most kDataFileNameLength of them used); empty when it cannot be read.
void GetDataFileName(HANDLE printer, WCHAR* buffer, size_t capacity);

}  // namespace ui
}  // namespace qv
