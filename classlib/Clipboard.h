// The clipboard for the class library's windows (Windows builds only).
#pragma once

#include <windows.h>

#include "CString.h"

// The clipboard opened for a window, for as long as the object lives.
class CClipboardOpen {
public:
  explicit CClipboardOpen(HWND owner) : m_bOpen(::OpenClipboard(owner) != FALSE) {}
  ~CClipboardOpen() {
    if (m_bOpen) ::CloseClipboard();
  }
  CClipboardOpen(const CClipboardOpen&) = delete;
  CClipboardOpen& operator=(const CClipboardOpen&) = delete;
  bool IsOpen() const { return m_bOpen; }

private:
  bool m_bOpen;
};

// Replaces the clipboard's content by text as CF_UNICODETEXT, owned by owner. The
// clipboard is emptied only once the new block is allocated and filled, so a failure
// (clipboard held by another program, no memory) leaves what it held. TRUE when the
// text was placed.
BOOL AfxSetClipboardText(HWND owner, const CString& text);
