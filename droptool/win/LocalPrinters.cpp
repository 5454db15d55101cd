#include "LocalPrinters.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <shellapi.h>
#include <winspool.h>

#include "PrintFiles.h"
#include "PrinterNames.h"
#include "Utf16.h"

void EnumLocalPrinters(CStringList& names) {
  // The size asked for can be too small by the time of the second call when a printer
  // was added in between: ask again with the new size, a few times at most.
  std::vector<BYTE> buffer;
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD needed = 0, returned = 0;
    if (::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 5, buffer.empty() ? nullptr : buffer.data(),
                        DWORD(buffer.size()), &needed, &returned)) {
      const PRINTER_INFO_5W* info = reinterpret_cast<const PRINTER_INFO_5W*>(buffer.data());
      for (DWORD i = 0; i < returned && !buffer.empty(); ++i) {
        if (info[i].pPrinterName) names.AddTail(info[i].pPrinterName);
      }
      break;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) break;
    buffer.assign(needed, 0);
  }
  SortStringList(names);
}

void SortStringList(CStringList& names) {
  if (names.GetCount() < 2) return;
  std::vector<std::u16string> sorted;
  sorted.reserve(size_t(names.GetCount()));
  for (POSITION pos = names.GetHeadPosition(); pos;) sorted.push_back(ToU16(names.GetNext(pos)));
  drux::SortStringList(sorted);
  size_t i = 0;
  for (POSITION pos = names.GetHeadPosition(); pos; ++i) {
    POSITION at = pos;
    names.GetNext(pos);
    names.SetAt(at, ToCString(sorted[i]));
  }
}

bool ResolveShortcut(LPWSTR target, LPCWSTR path) {
  target[0] = L'\0';
  IShellLinkW* link = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))) ||
      !link) {
    return false;
  }
  IPersistFile* file = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) || !file) {
    link->Release();
    return false;
  }
  bool ok = false;
  if (SUCCEEDED(file->Load(path, STGM_READ)) &&
      SUCCEEDED(link->Resolve(nullptr, SLR_NO_UI | SLR_ANY_MATCH))) {
    WIN32_FIND_DATAW data{};
    // S_FALSE: a target outside the file system.
    ok = link->GetPath(target, MAX_PATH, &data, 0) == S_OK;
  }
  if (!ok) target[0] = L'\0';
  file->Release();
  link->Release();
  return ok;
}

bool WinFileProbe::ResolveShortcut(const std::u16string& path, std::u16string* target) {
  wchar_t buffer[2 * MAX_PATH + 1] = {};
  if (!::ResolveShortcut(buffer, W(path))) return false;
  *target = ToU16(buffer);
  return true;
}

bool WinFileProbe::IsRegularFile(const std::u16string& path) {
  return ::IsRegularFile(ToCString(path));
}

std::vector<std::u16string> DroppedPaths(HDROP drop) {
  std::vector<std::u16string> paths;
  if (!drop) return paths;
  const SIZE_T size = ::GlobalSize(drop);
  const void* block = ::GlobalLock(drop);
  if (!block) return paths;
  const bool wellFormed = drux::DropListIsWellFormed(static_cast<const uint8_t*>(block), size);
  ::GlobalUnlock(drop);
  if (!wellFormed) return paths;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  paths.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    std::vector<wchar_t> name(size_t(length) + 1, L'\0');
    const UINT got = length ? ::DragQueryFileW(drop, i, name.data(), length + 1) : 0;
    paths.push_back(std::u16string(reinterpret_cast<const char16_t*>(name.data()),
                                   got <= length ? got : 0));
  }
  return paths;
}
