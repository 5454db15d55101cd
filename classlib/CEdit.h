// CEdit: thin wrapper of an edit control (Windows builds only), bound with DDX_Control.
#pragma once

#include <windows.h>

#include "CWnd.h"

class CEdit : public CWnd {
public:
  // The most characters the user can type (EM_LIMITTEXT); text set by the program is
  // not cut.
  void SetLimitText(UINT maxChars) { SendMessage(EM_LIMITTEXT, WPARAM(maxChars)); }
  UINT GetLimitText() const { return UINT(SendMessage(EM_GETLIMITTEXT)); }
  // Selects characters start to end - 1; (0, -1) selects all, (-1, ...) none.
  void SetSel(int start, int end, BOOL noScroll = FALSE) {
    SendMessage(EM_SETSEL, WPARAM(start), LPARAM(end));
    if (!noScroll) SendMessage(EM_SCROLLCARET);
  }
  void GetSel(int& start, int& end) const {
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = int(s);
    end = int(e);
  }
};
