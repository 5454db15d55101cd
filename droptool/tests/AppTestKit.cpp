#include "AppTestKit.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <shellapi.h>

#include <cstring>

namespace druxtest {

void Pump(DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(5);
  } while (::GetTickCount() - start < ms);
}

bool MakeShortcut(const std::wstring& linkPath, const std::wstring& target) {
  IShellLinkW* link = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
    return false;
  }
  IPersistFile* file = nullptr;
  bool ok = SUCCEEDED(link->SetPath(target.c_str())) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
  if (file) file->Release();
  link->Release();
  return ok;
}

HGLOBAL MakeDropList(const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const auto& p : paths) chars += p.size() + 1;
  const size_t bytes = sizeof(DROPFILES) + chars * sizeof(wchar_t);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!block) return nullptr;
  BYTE* data = static_cast<BYTE*>(::GlobalLock(block));
  DROPFILES* header = reinterpret_cast<DROPFILES*>(data);
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  wchar_t* names = reinterpret_cast<wchar_t*>(data + sizeof(DROPFILES));
  for (const auto& p : paths) {
    std::memcpy(names, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
    names += p.size() + 1;
  }
  ::GlobalUnlock(block);
  return block;
}

namespace {

bool PutClipboard(UINT format, HGLOBAL block) {
  if (!block) return false;
  for (int i = 0; i < 50; ++i) {
    if (::OpenClipboard(nullptr)) {
      ::EmptyClipboard();
      const bool ok = ::SetClipboardData(format, block) != nullptr;
      ::CloseClipboard();
      if (!ok) ::GlobalFree(block);
      return ok;
    }
    ::Sleep(20);
  }
  ::GlobalFree(block);
  return false;
}

}  // namespace

bool PutClipboardText(const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!block) return false;
  void* data = ::GlobalLock(block);
  std::memcpy(data, text.c_str(), bytes);
  ::GlobalUnlock(block);
  return PutClipboard(CF_UNICODETEXT, block);
}

bool PutClipboardFiles(const std::vector<std::wstring>& paths) {
  return PutClipboard(CF_HDROP, MakeDropList(paths));
}

std::wstring ClipboardText() {
  std::wstring text = L"<none>";
  for (int i = 0; i < 50; ++i) {
    if (::OpenClipboard(nullptr)) {
      if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = static_cast<const wchar_t*>(::GlobalLock(h))) {
          text = p;
          ::GlobalUnlock(h);
        }
      }
      ::CloseClipboard();
      break;
    }
    ::Sleep(20);
  }
  return text;
}

bool AddPrinterCapturing(const wchar_t* name, const wchar_t* port, const char* tag,
                         CapturePrinter* printer, std::wstring* error) {
  printer->name = name;
  printer->dir = MakeCaptureDir(tag);
  return AddCapturePrinter(name, port, JobFileCommand(printer->dir), error);
}

void PressKey(HWND target, UINT key, bool ctrl, bool shift) {
  BYTE state[256] = {};
  ::GetKeyboardState(state);
  BYTE changed[256];
  std::memcpy(changed, state, sizeof state);
  changed[VK_CONTROL] = ctrl ? 0x80 : 0;
  changed[VK_SHIFT] = shift ? 0x80 : 0;
  ::SetKeyboardState(changed);
  ::SendMessageW(target, WM_KEYDOWN, key, 1);
  ::SendMessageW(target, WM_KEYUP, key, LPARAM(0xC0000001));
  ::SetKeyboardState(state);
}

std::vector<std::wstring> ListEntries(HWND list) {
  std::vector<std::wstring> entries;
  const int count = int(::SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const int length = int(::SendMessageW(list, LB_GETTEXTLEN, i, 0));
    std::vector<wchar_t> buffer(size_t(length > 0 ? length : 0) + 1, L'\0');
    ::SendMessageW(list, LB_GETTEXT, i, LPARAM(buffer.data()));
    entries.emplace_back(buffer.data());
  }
  return entries;
}

int ListSelection(HWND list) { return int(::SendMessageW(list, LB_GETCURSEL, 0, 0)); }

}  // namespace druxtest
