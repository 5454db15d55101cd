// The base of every wizard page: the page's record size, the program icon and the
// header texts, plus the small helpers the pages share to fill themselves.
#pragma once

#include <initializer_list>

#include "CPropertyPage.h"
#include "InstallerState.h"
#include "InstallerTexts.h"

// The installer's text table (installer/lang/InstallerTexts.h), as the pages name it.
namespace texts = twk::texts;

class CPropertyPageExEx : public CPropertyPage {
  DECLARE_DYNAMIC(CPropertyPageExEx)

public:
  // Empty header texts leave that line of the header out.
  CPropertyPageExEx(UINT pageId, const CString& headerTitle, const CString& headerSubTitle);
  ~CPropertyPageExEx() override;

protected:
  struct TextItem {
    int id;  // IDC_ name of TWKResource.h
    twk::InstallerText text;
  };
  // Sets each control's text from the language file and gives it the sheet's font.
  void SetTexts(std::initializer_list<TextItem> items);
  // The sheet's font (WM_GETFONT of the sheet window), given to each control.
  void GiveSheetFont(std::initializer_list<int> ids);
  HFONT SheetFont() const;
  // The wizard buttons of each kind of page: Next on the Welcome page, Back/Next/Finish
  // on the Complete page, Back/Next elsewhere.
  static constexpr DWORD kNextButton = PSWIZB_NEXT;
  static constexpr DWORD kBackNext = PSWIZB_BACK | PSWIZB_NEXT;
  static constexpr DWORD kBackNextFinish = PSWIZB_BACK | PSWIZB_NEXT | PSWIZB_FINISH;
  // Posts the wizard buttons to the sheet.
  void PostWizardButtons(DWORD buttons);
  // Gives control id the bold heading font of the exterior pages (MakeHeadingFont of
  // the sheet's font). The page owns that font: it is deleted when the next call
  // replaces it and when the page ends.
  void SetHeadingFont(int id);
  // The page's Next when it accepts: its own id goes onto the history.
  LRESULT AcceptNext(LRESULT nextPage);
  // The page's Back: the page that led here.
  LRESULT GoBack();

private:
  HFONT m_headingFont = nullptr;  // the heading control's font while it uses it
};

// A bold font 16 logical units high in the face of font (for page headings); the
// caller owns it.
HFONT MakeHeadingFont(HFONT font);
