// The document page's rules that need no Windows call: which dialog template fits the
// screen, where the companion library lives, the data-file name and the page title.
// Text is UTF-16 (char16_t), as WCHAR on Windows.
#pragma once

#include <cstddef>
#include <string>

namespace qv {
namespace ui {

// The short template (376 x 290 dialog units) on screens whose full-screen height is
// 600 pixels or less, the tall one (376 x 330) above.
bool UsesShortPageTemplate(int fullScreenHeight);

// Characters of the buffer the plug-in's own path is read into, terminator included.
constexpr std::size_t kCompanionPathCapacity = 65541;

// Turns the plug-in's own file path into the companion's: the file name is cut at its
// last "_" (or, without one, its ".dll" is dropped) and ".dll" appended, so
// "...\qvui_dll.dll" gives "...\qvui.dll" in the same directory. false, path
// unchanged, when the path is shorter than 5 characters or does not end in ".dll" (any
// letter case).
bool CompanionPathFromModulePath(std::u16string& path);

// The file part of the driver's data file (after the last "\" or "/"), at most
// kDataFileNameLength characters; empty for a null name.
constexpr std::size_t kDataFileNameLength = 261;
std::u16string DataFileNamePart(const char16_t* dataFile);

// The page title: the DEVMODE's device name, which holds at most kPageTitleLength
// characters and need not be terminated; empty without a DEVMODE (null).
constexpr std::size_t kPageTitleLength = 32;
std::u16string PageTitleFromDeviceName(const char16_t* deviceName);

// The printer name kept for the companion: at most kPrinterNameLength characters;
// empty for a null name.
constexpr std::size_t kPrinterNameLength = 511;
std::u16string PrinterNamePart(const char16_t* printerName);

}  // namespace ui
}  // namespace qv
