// CMenu: a menu handle and the calls of a pop-up menu (Windows builds only). The
// object destroys a menu it holds when it goes.
#pragma once

#include <windows.h>

#include "CWnd.h"

class CMenu {
public:
  CMenu() = default;
  ~CMenu() { DestroyMenu(); }
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }

  BOOL CreatePopupMenu() {
    if (m_hMenu) return FALSE;
    m_hMenu = ::CreatePopupMenu();
    return m_hMenu != nullptr;
  }
  BOOL DestroyMenu() {
    if (!m_hMenu) return FALSE;
    const BOOL ok = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return ok;
  }
  BOOL AppendMenu(UINT flags, UINT_PTR idOrSubMenu = 0, LPCWSTR text = nullptr) {
    return ::AppendMenuW(m_hMenu, flags, idOrSubMenu, text);
  }
  int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
  // With TPM_RETURNCMD: the chosen command, 0 when the menu closed without a choice.
  BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* rect = nullptr) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, rect);
  }
};
