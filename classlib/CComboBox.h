// CComboBox: a thin wrapper of a combo box that a dialog or page binds with
// DDX_Control (Windows builds only).
#pragma once

#include <windows.h>

#include <vector>

#include "CString.h"
#include "CWnd.h"

class CComboBox : public CWnd {
public:
  int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
  int AddString(LPCWSTR text) { return int(SendMessage(CB_ADDSTRING, 0, LPARAM(text ? text : L""))); }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int index) { return int(SendMessage(CB_SETCURSEL, WPARAM(index))); }
  int FindStringExact(int startAfter, LPCWSTR text) const {
    return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(startAfter), LPARAM(text ? text : L"")));
  }
  int SelectString(int startAfter, LPCWSTR text) {
    return int(SendMessage(CB_SELECTSTRING, WPARAM(startAfter), LPARAM(text ? text : L"")));
  }
  void GetLBText(int index, CString& text) const {
    int length = int(SendMessage(CB_GETLBTEXTLEN, WPARAM(index)));
    if (length < 0) {
      text.Empty();
      return;
    }
    std::vector<wchar_t> buffer(size_t(length) + 1, L'\0');
    SendMessage(CB_GETLBTEXT, WPARAM(index), LPARAM(buffer.data()));
    text = CString(buffer.data());
  }
};
