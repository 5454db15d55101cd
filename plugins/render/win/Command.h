// The driver's injection calls: job options written into the PostScript stream.
#pragma once

#include <string>

#include "QvOemRender.h"

namespace qv {
namespace render {

// A DSC comment line whose value is UTF-16 text, sent as its UTF-8 bytes (so any
// non-ASCII character forces the hexadecimal form). A failed conversion gives the line
// with an empty value; a null key gives "".
std::string FormatDscCommentW(const char* key, const WCHAR* value);

// Answers IPrintOemPS::Command: rebuilds the job-option record from the device's
// private DEVMODE, stores the injection result (0 where we take part, else
// ERROR_NOT_SUPPORTED) when pdwResult is set, and writes our text through the driver
// when both the driver interface and the device object are present. Always S_OK.
HRESULT HandleCommand(PDEVOBJ pdevobj, DWORD dwIndex, PVOID pData, DWORD cbSize,
                      IPrintOemDriverPS* driver, DWORD* pdwResult);

}  // namespace render
}  // namespace qv
