#include "DocumentPage.h"

#include <prsht.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "Companion.h"
#include "DevmodeExchangeWin.h"
#include "FeatureOptionPush.h"
#include "Module.h"
#include "Papers.h"
#include "resource.h"

namespace qv {
namespace ui {
namespace {

// Item of the driver's printer properties that the plug-in disables (level and help
// index of the driver's own item).
constexpr BYTE kDisabledItemLevel = 2;
constexpr DWORD kDisabledItemHelpIndex = 1032;

// Copies text into a buffer of capacity characters, cut and always terminated.
void CopyTerminated(const std::u16string& text, WCHAR* buffer, size_t capacity) {
  if (!buffer || capacity == 0) return;
  const size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
  if (n) std::memcpy(buffer, text.data(), n * sizeof(WCHAR));
  buffer[n] = L'\0';
}

const char16_t* U16(const WCHAR* text) { return reinterpret_cast<const char16_t*>(text); }

SheetContext* ContextOf(const OEMUIPSPARAM* params) {
  return params ? static_cast<SheetContext*>(params->pOEMUserData) : nullptr;
}

// The job-option body inside the driver's private DEVMODE part: only a part that
// carries our header (and so our size) is edited; anything else counts as none.
PrivateDevmodeBody* DriverBody(const OEMUIPSPARAM* params) {
  if (!params || !params->pOEMDM) return nullptr;
  DmExtraHeader header;
  std::memcpy(&header, params->pOEMDM, sizeof header);
  if (!IsOurPrivateDevmodeHeader(header)) return nullptr;
  return reinterpret_cast<PrivateDevmodeBody*>(static_cast<BYTE*>(params->pOEMDM) +
                                               sizeof(DmExtraHeader));
}

// The paper settings the page starts from: the locale's paper, then the public
// DEVMODE's paper fields when there is one.
void StartSettings(const OEMUIPSPARAM* params, PaperSettings* settings) {
  DefaultPaperSettings(settings);
  if (params && params->pPublicDM) PublicToSettingsW(settings, params->pPublicDM);
}

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

LONG_PTR AddPage(PROPSHEETUI_INFO* info, IUnknown* driver) {
  auto* params = reinterpret_cast<OEMUIPSPARAM*>(info->lParamInit);
  if (!params) return 0;
  SheetContext* context = ContextOf(params);
  if (!context) {
    if (!params->hOEMHeap) return 0;
    context = static_cast<SheetContext*>(
        HeapAlloc(params->hOEMHeap, HEAP_ZERO_MEMORY, sizeof(SheetContext)));
    if (!context) return 0;
  }
  GetDataFileName(params->hPrinter, context->dataFileName,
                  sizeof context->dataFileName / sizeof(WCHAR));
  CopyTerminated(PrinterNamePart(U16(params->pPrinterName)), context->printerName,
                 sizeof context->printerName / sizeof(WCHAR));
  context->sheet = info->hComPropSheet;
  context->callback = info->pfnComPropSheet;
  context->params = params;
  context->driver = driver;
  params->pOEMUserData = context;
  if (!context->callback) return 0;

  // The title is the device name (at most 32 characters, not necessarily terminated
  // in the DEVMODE); the sheet copies it when it creates the page.
  WCHAR title[kPageTitleLength + 1];
  CopyTerminated(
      PageTitleFromDeviceName(params->pPublicDM ? U16(params->pPublicDM->dmDeviceName) : nullptr),
      title, kPageTitleLength + 1);
  PROPSHEETPAGEW page;
  std::memset(&page, 0, sizeof page);
  page.dwSize = PROPSHEETPAGEW_V2_SIZE;
  page.dwFlags = PSP_USETITLE;
  page.hInstance = ModuleInstance();
  page.pszTemplate = MAKEINTRESOURCEW(UsesShortPageTemplate(GetSystemMetrics(SM_CYFULLSCREEN))
                                          ? IDD_DOCUMENT_PAGE_SHORT
                                          : IDD_DOCUMENT_PAGE_TALL);
  page.pszTitle = title;
  page.pfnDlgProc = PageDlgProc;
  page.lParam = reinterpret_cast<LPARAM>(params);
  context->page = reinterpret_cast<HANDLE>(context->callback(
      context->sheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(&page), 0));
  return context->page ? 1 : 0;
}

LONG_PTR DestroyPage(PROPSHEETUI_INFO* info) {
  auto* params = reinterpret_cast<OEMUIPSPARAM*>(info->lParamInit);
  SheetContext* context = ContextOf(params);
  if (context) {
    UnloadCompanion(context);
    if (params->hOEMHeap) HeapFree(params->hOEMHeap, 0, context);
    params->pOEMUserData = nullptr;
  }
  return 1;
}

BOOL OnInitDialog(HWND page, LPARAM lParam) {
  const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
  auto* params = sheetPage ? reinterpret_cast<OEMUIPSPARAM*>(sheetPage->lParam) : nullptr;
  SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(params));

  PaperSettings settings;
  StartSettings(params, &settings);
  PrivateDevmodeBody local;
  PrivateDevmodeBody* body = DriverBody(params);
  if (body) {
    ValidatePrivateDevmode(body);  // repaired in place before the companion sees it
  } else {
    ClearPrivateDevmode(&local);
    DefaultPrivateDevmode(&local);
    body = &local;
  }
  const bool readOnly = params && (params->dwFlags & DM_NOPERMISSION) != 0;
  if (SheetContext* context = ContextOf(params))
    EmbedCompanion(page, context, body, &settings, readOnly);
  return TRUE;
}

BOOL OnApply(HWND page) {
  auto* params = reinterpret_cast<OEMUIPSPARAM*>(GetWindowLongPtrW(page, DWLP_USER));
  SheetContext* context = ContextOf(params);
  PrivateDevmodeBody* body = DriverBody(params);
  if (context && body) {
    // The settings start where the page started: the user's paper stays unless the
    // companion changes it.
    PaperSettings settings;
    StartSettings(params, &settings);
    if (context->companion) ApplyCompanion(context, body, &settings);
    ValidatePrivateDevmode(body);
    if (params->pPublicDM) {
      PrivateToPublicW(body, params->pPublicDM);
      SettingsToPublicW(&settings, params->pPublicDM);
    }
    if (context->driver && params->poemuiobj)
      win::PushFeatureOptions(body, context->driver, params->poemuiobj);
  }
  SendMessageW(GetParent(page), PSM_UNCHANGED, reinterpret_cast<WPARAM>(page), 0);
  if (context && context->callback) {
    context->callback(context->sheet, CPSFUNC_SET_RESULT,
                      reinterpret_cast<LPARAM>(context->page), CPSUI_OK);
  }
  SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
  return TRUE;
}

BOOL OnNotify(HWND page, const NMHDR* header) {
  if (!header) return FALSE;
  switch (header->code) {
    case PSN_APPLY:
      return OnApply(page);
    case PSN_RESET:
      SendMessageW(GetParent(page), PSM_UNCHANGED, reinterpret_cast<WPARAM>(page), 0);
      return TRUE;
    case PSN_KILLACTIVE:
      SetWindowLongPtrW(page, DWLP_MSGRESULT, FALSE);  // leaving the page is allowed
      return TRUE;
    case PSN_SETACTIVE:
      if (ContextOf(reinterpret_cast<OEMUIPSPARAM*>(GetWindowLongPtrW(page, DWLP_USER))))
        SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

LONG APIENTRY DocumentCallback(PCPSUICBPARAM callback, POEMCUIPPARAM) {
  if (callback) callback->Result = CPSUI_OK;
  return CPSUICB_ACTION_NONE;
}

LONG APIENTRY PrinterCallback(PCPSUICBPARAM, POEMCUIPPARAM) { return CPSUICB_ACTION_NONE; }

}  // namespace

LONG_PTR AddDocumentPage(PROPSHEETUI_INFO* info, LPARAM lParam, IUnknown* driver) {
  if (!info) return 0;
  LONG_PTR result = 0;
  try {
    switch (info->Reason) {
      case PROPSHEETUI_REASON_INIT:
        result = AddPage(info, driver);
        break;
      case PROPSHEETUI_REASON_DESTROY:
        result = DestroyPage(info);
        break;
      case PROPSHEETUI_REASON_SET_RESULT: {
        const auto* set = reinterpret_cast<const SETRESULT_INFO*>(lParam);
        result = set ? set->Result : 0;
        break;
      }
      default:
        break;
    }
  } catch (...) {
    result = 0;  // nothing thrown reaches the driver
  }
  info->Result = static_cast<ULONG_PTR>(result);
  return result;
}

INT_PTR CALLBACK PageDlgProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        return OnInitDialog(page, lParam);
      case WM_NOTIFY:
        return OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
      default:
        return FALSE;
    }
  } catch (...) {
    return FALSE;  // nothing thrown reaches the sheet
  }
}

LONG_PTR HandleDevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
  if (!info) return 0;
  LONG_PTR result = 0;
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
    case PROPSHEETUI_REASON_DESTROY:
      result = 1;
      break;
    case PROPSHEETUI_REASON_SET_RESULT: {
      const auto* set = reinterpret_cast<const SETRESULT_INFO*>(lParam);
      result = set ? set->Result : 0;
      break;
    }
    default:
      break;
  }
  info->Result = static_cast<ULONG_PTR>(result);
  return result;
}

BOOL HandleCommonUIProp(DWORD mode, OEMCUIPPARAM* param) {
  if (param && param->hPrinter) win::SaveCustomPapers(param->hPrinter);  // the reset
  if (mode != OEMCUIP_DOCPROP && mode != OEMCUIP_PRNPROP) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!param) return TRUE;
  if (mode == OEMCUIP_DOCPROP) {
    param->OEMCUIPCallback = DocumentCallback;
    return TRUE;
  }
  param->OEMCUIPCallback = PrinterCallback;
  if (param->pDrvOptItems) {
    for (DWORD i = 0; i < param->cDrvOptItems; ++i) {
      OPTITEM& item = param->pDrvOptItems[i];
      if (item.Level == kDisabledItemLevel && item.HelpIndex == kDisabledItemHelpIndex)
        item.Flags |= OPTIF_CALLBACK | OPTIF_DISABLED;
    }
  }
  return TRUE;
}

void EmbedCompanion(HWND page, SheetContext* context, PrivateDevmodeBody* body,
                    PaperSettings* settings, bool readOnly) {
  if (!context) return;
  if (context->companion) UnloadCompanion(context);
  // 128 KB: too much for the stack of a dialog procedure deep inside the sheet.
  WCHAR* path = new (std::nothrow) WCHAR[kCompanionPathCapacity];
  if (!path) return;
  const BOOL found = CompanionPath(path);
  HMODULE companion = found ? LoadLibraryW(path) : nullptr;
  delete[] path;
  if (!companion) return;
  context->companion = companion;
  const auto embed = Export<EmbedExternFn>(companion, kEmbedExternName);
  if (embed && body && settings &&
      embed(page, context->dataFileName, context->printerName, kEmbedConstant,
            sizeof(PrivateDevmodeBody), body, sizeof(PaperSettings), settings,
            readOnly ? 1 : 0) != 0) {
    return;
  }
  UnloadCompanion(context);
}

void ApplyCompanion(SheetContext* context, PrivateDevmodeBody* body, PaperSettings* settings) {
  if (!context || !context->companion || !body || !settings) return;
  if (const auto apply = Export<ExternalApplyFn>(context->companion, kExternalApplyName))
    apply(sizeof(PrivateDevmodeBody), body, sizeof(PaperSettings), settings);
}

void UnloadCompanion(SheetContext* context) {
  if (!context || !context->companion) return;
  if (const auto unembed = Export<UnembedExternalFn>(context->companion, kUnembedExternalName))
    unembed();
  FreeLibrary(context->companion);
  context->companion = nullptr;
}

BOOL CompanionPath(WCHAR* buffer) {
  if (!buffer || !ModuleInstance()) return FALSE;
  const DWORD n = GetModuleFileNameW(ModuleInstance(), buffer, kCompanionPathCapacity);
  // 0 is a failure; a full buffer means the path was cut.
  if (n == 0 || n >= kCompanionPathCapacity) return FALSE;
  std::u16string path(U16(buffer), n);
  if (!CompanionPathFromModulePath(path)) return FALSE;
  CopyTerminated(path, buffer, kCompanionPathCapacity);
  return TRUE;
}

void GetDataFileName(HANDLE printer, WCHAR* buffer, size_t capacity) {
  if (!buffer || capacity == 0) return;
  buffer[0] = L'\0';
  if (!printer) return;
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  if (needed < sizeof(DRIVER_INFO_2W)) return;
  void* data = std::calloc(1, needed);
  if (!data) return;
  if (GetPrinterDriverW(printer, nullptr, 2, static_cast<BYTE*>(data), needed, &needed)) {
    const auto* info = static_cast<const DRIVER_INFO_2W*>(data);
    CopyTerminated(DataFileNamePart(U16(info->pDataFile)), buffer, capacity);
  }
  std::free(data);
}

}  // namespace ui
}  // namespace qv
