// The call contract of the companion library qvui, which draws the document page's
// controls. Its three exports are looked up by name and called with the C calling
// convention (the one under which a 32-bit C export keeps its plain name).
//
// The body (1041 bytes) and the settings (150 bytes) are valid only for the duration
// of a call.
#pragma once

#include <windows.h>

#include <cstddef>

namespace qv {
namespace ui {

// Embeds the companion's controls in the page: page window, data-file name, printer
// name, the constant 2, the body size and body, the settings size and settings, the
// read-only flag (0 or 1). Non-zero: the controls are embedded.
typedef unsigned char(__cdecl* EmbedExternFn)(HWND page, const WCHAR* dataFileName,
                                              const WCHAR* printerName, DWORD constant2,
                                              std::size_t bodySize, void* body,
                                              std::size_t settingsSize, void* settings,
                                              unsigned char readOnly);
// Writes the user's choices into the body and the settings; the answer is ignored.
typedef unsigned char(__cdecl* ExternalApplyFn)(std::size_t bodySize, void* body,
                                                std::size_t settingsSize, void* settings);
// Removes the controls before the library is freed.
typedef void(__cdecl* UnembedExternalFn)();

constexpr char kEmbedExternName[] = "EmbedExtern";
constexpr char kExternalApplyName[] = "ExternalApply";
constexpr char kUnembedExternalName[] = "UnembedExternal";
constexpr DWORD kEmbedConstant = 2;

}  // namespace ui
}  // namespace qv
