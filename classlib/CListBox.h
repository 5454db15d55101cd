// CListBox: a thin wrapper of a list box that a dialog binds with DDX_Control
// (Windows builds only).
#pragma once

#include <windows.h>

#include <vector>

#include "CString.h"
#include "CWnd.h"

class CListBox : public CWnd {
public:
  int GetCount() const { return int(SendMessage(LB_GETCOUNT)); }
  int AddString(LPCWSTR text) { return int(SendMessage(LB_ADDSTRING, 0, LPARAM(text ? text : L""))); }
  int InsertString(int index, LPCWSTR text) {
    return int(SendMessage(LB_INSERTSTRING, WPARAM(index), LPARAM(text ? text : L"")));
  }
  int DeleteString(UINT index) { return int(SendMessage(LB_DELETESTRING, index)); }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int GetTextLen(int index) const { return int(SendMessage(LB_GETTEXTLEN, WPARAM(index))); }
  // The entry's text; empty for an index that does not exist.
  void GetText(int index, CString& text) const {
    const int length = GetTextLen(index);
    if (length < 0) {
      text.Empty();
      return;
    }
    std::vector<wchar_t> buffer(size_t(length) + 1, L'\0');
    const int got = int(SendMessage(LB_GETTEXT, WPARAM(index), LPARAM(buffer.data())));
    text = CString(buffer.data(), got > 0 && got <= length ? got : 0);
  }
  CString GetText(int index) const {
    CString text;
    GetText(index, text);
    return text;
  }
  // Single-selection lists.
  int GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int index) { return int(SendMessage(LB_SETCURSEL, WPARAM(index))); }
  // Multiple-selection lists (LB_ERR from a single-selection list).
  int GetSelCount() const { return int(SendMessage(LB_GETSELCOUNT)); }
  int GetSel(int index) const { return int(SendMessage(LB_GETSEL, WPARAM(index))); }
  int SetSel(int index, BOOL select = TRUE) {
    return int(SendMessage(LB_SETSEL, select, LPARAM(index)));
  }
  // The selected indexes, ascending; empty when nothing is selected or the list has
  // single selection.
  std::vector<int> GetSelItems() const {
    const int count = GetSelCount();
    if (count <= 0) return {};
    std::vector<int> items(size_t(count), 0);
    const int got = int(SendMessage(LB_GETSELITEMS, WPARAM(count), LPARAM(items.data())));
    items.resize(got > 0 ? size_t(got) : 0);
    return items;
  }
  int SelItemRange(BOOL select, int first, int last) {
    return int(SendMessage(LB_SELITEMRANGEEX, WPARAM(select ? first : last),
                           LPARAM(select ? last : first)));
  }
  int FindStringExact(int startAfter, LPCWSTR text) const {
    return int(SendMessage(LB_FINDSTRINGEXACT, WPARAM(startAfter), LPARAM(text ? text : L"")));
  }
  int SetTopIndex(int index) { return int(SendMessage(LB_SETTOPINDEX, WPARAM(index))); }
  int GetTopIndex() const { return int(SendMessage(LB_GETTOPINDEX)); }
  BOOL SetTabStops(int count, const int* stops) {
    return BOOL(SendMessage(LB_SETTABSTOPS, WPARAM(count), LPARAM(stops)));
  }
  void SetHorizontalExtent(int extent) { SendMessage(LB_SETHORIZONTALEXTENT, WPARAM(extent)); }
  int GetHorizontalExtent() const { return int(SendMessage(LB_GETHORIZONTALEXTENT)); }
  void SetColumnWidth(int width) { SendMessage(LB_SETCOLUMNWIDTH, WPARAM(width)); }
  int GetItemHeight(int index) const { return int(SendMessage(LB_GETITEMHEIGHT, WPARAM(index))); }
  int SetItemHeight(int index, UINT height) {
    return int(SendMessage(LB_SETITEMHEIGHT, WPARAM(index), MAKELPARAM(height, 0)));
  }
};
