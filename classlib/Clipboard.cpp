#include "Clipboard.h"

#include <cstring>

BOOL AfxSetClipboardText(HWND owner, const CString& text) {
  CClipboardOpen clipboard(owner);
  if (!clipboard.IsOpen()) return FALSE;
  const size_t bytes = (size_t(text.GetLength()) + 1) * sizeof(wchar_t);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, bytes);
  if (!block) return FALSE;
  void* data = ::GlobalLock(block);
  if (!data) {
    ::GlobalFree(block);
    return FALSE;
  }
  std::memcpy(data, text.GetString(), bytes);
  ::GlobalUnlock(block);
  if (!::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, block)) {
    ::GlobalFree(block);  // still ours: the clipboard took nothing
    return FALSE;
  }
  return TRUE;
}
