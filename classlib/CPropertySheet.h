// CPropertySheet: a property sheet or wizard over comctl32's PropertySheetW (Windows
// builds only).
//
// The sheet keeps its header in m_psh and its pages in order. DoModal and Create
// first call the virtual BuildPropPageArray, which gives the system one record per
// page (each page's template prepared in the property-sheet font). When the system has
// made the sheet window, the sheet object is kept with it and its messages run
// through CWnd's window procedure, so a derived sheet handles them in OnWndMsg.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdint>
#include <vector>

#include "CPropertyPage.h"
#include "CWnd.h"

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)

public:
  CPropertySheet(LPCWSTR caption = nullptr, CWnd* parent = nullptr, UINT selectPage = 0);
  // The wizard 97 form, with watermark and header bitmaps (either may be null).
  CPropertySheet(LPCWSTR caption, CWnd* parent, UINT selectPage, HBITMAP watermark,
                 HPALETTE watermarkPalette, HBITMAP header);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return int(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  CPropertyPage* FindPageById(UINT templateId) const;
  int GetActiveIndex() const;
  CPropertyPage* GetActivePage() const;

  // Runs the sheet modally; answers PropertySheetW's result (-1 when it could not be
  // shown, for example without a display).
  virtual INT_PTR DoModal();
  // Makes a modeless sheet (tests drive it through messages); false when it failed.
  BOOL Create(CWnd* parent = nullptr);

  void SetWizardButtons(DWORD flags) { PostMessage(PSM_SETWIZBUTTONS, 0, LPARAM(flags)); }
  void PressButton(int button) { SendMessage(PSM_PRESSBUTTON, WPARAM(button)); }

  PROPSHEETHEADERW m_psh;
  CString m_strCaption;

protected:
  virtual void BuildPropPageArray();
  virtual BOOL OnInitDialog() { return TRUE; }
  void PostNcDestroy() override;

  std::vector<CPropertyPage*> m_pages;
  // The records handed to the system, one per page, each of the page's record size.
  std::vector<uint8_t> m_pageRecords;

private:
  static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);
  void Prepare();
};
