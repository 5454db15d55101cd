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

namespace {

// The size of a shell link's header: no file below it can be one.
constexpr uint64_t kLinkHeaderSize = 0x4C;

// True when the regular file at path starts with a shell link's header size; the shell
// link object refuses everything else when it loads.
bool StartsLikeShellLink(const std::u16string& path) {
  HANDLE h = ::CreateFileW(W(path), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BYTE header[4] = {};
  DWORD got = 0;
  const BOOL read = ::ReadFile(h, header, sizeof header, &got, nullptr);
  ::CloseHandle(h);
  return read && got == sizeof header && header[0] == kLinkHeaderSize && header[1] == 0 &&
         header[2] == 0 && header[3] == 0;
}

}  // namespace

bool WinFileProbe::Regular(const std::u16string& path, uint64_t* size) {
  // A path is judged as a shortcut and then as a file: one status query serves both.
  if (path != lastPath_) {
    lastPath_ = path;
    lastSize_ = 0;
    lastRegular_ = ::QueryRegularFile(W(path), &lastSize_);
  }
  *size = lastSize_;
  return lastRegular_;
}

bool WinFileProbe::ResolveShortcut(const std::u16string& path, std::u16string* target) {
  // Only files of the shortcut type; of those, folders, devices, missing paths and
  // files too short for a link header are no shortcuts either (the shell link object
  // would refuse them all).
  uint64_t size = 0;
  if (!drux::HasShortcutName(path) || !Regular(path, &size) || size < kLinkHeaderSize ||
      !StartsLikeShellLink(path)) {
    return false;
  }
  wchar_t buffer[2 * MAX_PATH + 1] = {};
  if (!::ResolveShortcut(buffer, W(path))) return false;
  *target = ToU16(buffer);
  return true;
}

bool WinFileProbe::IsRegularFile(const std::u16string& path) {
  uint64_t size = 0;
  return Regular(path, &size);
}

std::vector<std::u16string> DroppedPaths(HDROP drop) {
  // Read in one pass from the block itself: asking the shell for name i walks the
  // list from its start each time, which a drop of thousands of files cannot afford.
  std::vector<std::u16string> paths;
  if (!drop) return paths;
  const SIZE_T size = ::GlobalSize(drop);
  const void* block = ::GlobalLock(drop);
  if (!block) return paths;
  std::vector<std::string> narrow;
  drux::ReadDropList(static_cast<const uint8_t*>(block), size, &paths, &narrow);
  ::GlobalUnlock(drop);
  for (const std::string& name : narrow) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, name.data(), int(name.size()), nullptr, 0);
    std::u16string wide(size_t(length > 0 ? length : 0), u'\0');
    if (length > 0)
      ::MultiByteToWideChar(CP_ACP, 0, name.data(), int(name.size()),
                            reinterpret_cast<wchar_t*>(&wide[0]), length);
    paths.push_back(wide);
  }
  return paths;
}
