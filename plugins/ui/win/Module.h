// The plug-in DLL's own module, kept at process attach: the instance of the document
// page's dialog templates and the directory the companion library is loaded from.
#pragma once

#include <windows.h>

namespace qv {
namespace ui {

HINSTANCE ModuleInstance();

}  // namespace ui
}  // namespace qv
