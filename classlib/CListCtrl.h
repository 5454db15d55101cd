// CListCtrl: a thin wrapper of a list-view control that a dialog or page binds with
// DDX_Control (Windows builds only).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "CString.h"
#include "CWnd.h"

class CListCtrl : public CWnd {
public:
  int GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }
  DWORD SetExtendedStyle(DWORD style) {
    return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(style)));
  }
  int InsertColumn(int column, LPCWSTR heading, int format = LVCFMT_LEFT, int width = -1) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_FMT | (width >= 0 ? LVCF_WIDTH : 0);
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<LPWSTR>(heading ? heading : L"");
    return int(SendMessage(LVM_INSERTCOLUMNW, WPARAM(column), LPARAM(&col)));
  }
  int InsertItem(int item, LPCWSTR text) {
    LVITEMW it{};
    it.mask = LVIF_TEXT;
    it.iItem = item;
    it.pszText = const_cast<LPWSTR>(text ? text : L"");
    return int(SendMessage(LVM_INSERTITEMW, 0, LPARAM(&it)));
  }
  int InsertItem(int item, LPCWSTR text, LPARAM data) {
    LVITEMW it{};
    it.mask = LVIF_TEXT | LVIF_PARAM;
    it.iItem = item;
    it.pszText = const_cast<LPWSTR>(text ? text : L"");
    it.lParam = data;
    return int(SendMessage(LVM_INSERTITEMW, 0, LPARAM(&it)));
  }
  BOOL DeleteColumn(int column) { return BOOL(SendMessage(LVM_DELETECOLUMN, WPARAM(column))); }
  BOOL SetColumnWidth(int column, int width) {
    return BOOL(SendMessage(LVM_SETCOLUMNWIDTH, WPARAM(column), MAKELPARAM(width, 0)));
  }
  int GetColumnCount() const {
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return header ? int(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  }
  BOOL SetItemText(int item, int subItem, LPCWSTR text) {
    LVITEMW it{};
    it.iSubItem = subItem;
    it.pszText = const_cast<LPWSTR>(text ? text : L"");
    return BOOL(SendMessage(LVM_SETITEMTEXTW, WPARAM(item), LPARAM(&it)));
  }
  CString GetItemText(int item, int subItem) const {
    std::vector<wchar_t> buffer(256);
    for (;;) {
      LVITEMW it{};
      it.iSubItem = subItem;
      it.pszText = buffer.data();
      it.cchTextMax = int(buffer.size());
      int n = int(SendMessage(LVM_GETITEMTEXTW, WPARAM(item), LPARAM(&it)));
      if (n < int(buffer.size()) - 1) return CString(buffer.data(), n);
      buffer.resize(buffer.size() * 2);
    }
  }
  BOOL SetItemData(int item, DWORD_PTR data) {
    LVITEMW it{};
    it.mask = LVIF_PARAM;
    it.iItem = item;
    it.lParam = LPARAM(data);
    return BOOL(SendMessage(LVM_SETITEMW, 0, LPARAM(&it)));
  }
  DWORD_PTR GetItemData(int item) const {
    LVITEMW it{};
    it.mask = LVIF_PARAM;
    it.iItem = item;
    return SendMessage(LVM_GETITEMW, 0, LPARAM(&it)) ? DWORD_PTR(it.lParam) : 0;
  }
  BOOL DeleteItem(int item) { return BOOL(SendMessage(LVM_DELETEITEM, WPARAM(item))); }
  BOOL DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }
  int GetNextItem(int start, int flags) const {
    return int(SendMessage(LVM_GETNEXTITEM, WPARAM(start), MAKELPARAM(flags, 0)));
  }
  BOOL SetItemState(int item, UINT state, UINT mask) {
    LVITEMW it{};
    it.state = state;
    it.stateMask = mask;
    return BOOL(SendMessage(LVM_SETITEMSTATE, WPARAM(item), LPARAM(&it)));
  }
  BOOL GetCheck(int item) const {
    return ((UINT(SendMessage(LVM_GETITEMSTATE, WPARAM(item), LVIS_STATEIMAGEMASK)) >> 12) - 1) == 1;
  }
  BOOL SetCheck(int item, BOOL check = TRUE) {
    return SetItemState(item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
  }
  BOOL EnsureVisible(int item, BOOL partialOk) {
    return BOOL(SendMessage(LVM_ENSUREVISIBLE, WPARAM(item), partialOk));
  }
};
