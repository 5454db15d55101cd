// CPropertyPage: one page of a property sheet or wizard, over comctl32's pages
// (Windows builds only).
//
// The page keeps its record for the system in m_psp. The sheet copies the record into
// its page array (BuildPropPageArray) after PreparePage has pointed it at an in-memory
// dialog template in the property-sheet font. The system hands the copy back in
// WM_INITDIALOG; its lParam is this object, which is then kept with the page window.
// The sheet's notifications arrive as WM_NOTIFY and go to the virtual handlers.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "CString.h"
#include "CWnd.h"
#include "DialogTemplate.h"

class CPropertySheet;

// A dialog resource that cannot be found, loaded or locked.
class CResourceException : public std::runtime_error {
public:
  CResourceException() : std::runtime_error("resource not found") {}
};

// The part of the page record that the system reads (the version-2 record: up to the
// header subtitle). 48 bytes in the 32-bit build.
constexpr DWORD kPageRecordSize =
    DWORD(offsetof(PROPSHEETPAGEW, pszHeaderSubTitle) + sizeof(LPCWSTR));
#ifndef _WIN64
static_assert(kPageRecordSize == 48, "32-bit page record is 48 bytes");
#endif

class CPropertyPage : public CWnd {
  DECLARE_DYNAMIC(CPropertyPage)

public:
  // captionId 0: no title of its own. The header ids name string resources (0: none).
  explicit CPropertyPage(UINT templateId, UINT captionId = 0, UINT headerTitleId = 0,
                         UINT headerSubTitleId = 0, DWORD recordSize = kPageRecordSize);
  ~CPropertyPage() override;

  // Notification handlers. OnSetActive answers FALSE to refuse activation.
  // OnWizardNext / OnWizardBack answer 0 (the neighbouring page), -1 (stay) or the
  // dialog id of the page to go to. OnWizardFinish answers FALSE to keep the sheet open.
  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive() { return TRUE; }
  virtual LRESULT OnWizardNext() { return 0; }
  virtual LRESULT OnWizardBack() { return 0; }
  virtual BOOL OnWizardFinish() { return TRUE; }
  virtual BOOL OnQueryCancel() { return TRUE; }
  virtual void OnReset() {}
  virtual BOOL OnInitDialog();

  // The sheet window (the page's parent) and the sheet object kept with it.
  HWND GetSheetHwnd() const { return m_hWnd ? ::GetParent(m_hWnd) : nullptr; }
  CPropertySheet* GetSheet() const;
  UINT GetTemplateId() const { return m_templateId; }

  // Points m_psp at an in-memory copy of the dialog template in the property-sheet
  // font (throws CResourceException when the dialog resource is missing).
  void PreparePage(bool wizard);

  PROPSHEETPAGEW m_psp;
  CString m_strCaption;
  CString m_strHeaderTitle;
  CString m_strHeaderSubTitle;

protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // A page id answered by Next/Back, as the system wants it: pages are given by
  // in-memory templates, so the system knows them by template address.
  LRESULT MapWizardResult(LRESULT result) const;

private:
  static INT_PTR CALLBACK PageDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  UINT m_templateId;
  bool m_firstSetActive = true;
  std::vector<uint8_t> m_template;  // the prepared copy the record points at
};

// The face and point size that pages of a sheet are shown in: those of comctl32's own
// dialog template for wizards (1020) or for other sheets (1006). Determined once per
// process; the Japanese template is preferred on a Japanese system with "MS UI Gothic".
const dlgtemplate::FontInfo& GetPropertySheetFont(bool wizard);
