// The wizard sheet with its nine pages, and the base of every page.
//
// Page rules: a page is known by its dialog id (6 to 14). OnSetActive posts the
// wizard buttons (Next on the Welcome page, Back/Next/Finish on the Complete page,
// Back/Next elsewhere). OnWizardNext either refuses (a message, -1, history
// unchanged) or stores the page's values, appends its own id to the page history and
// answers the next page's id; it never answers 0. OnWizardBack stores the page's
// values and answers PopPage, the page that led here.
#pragma once

#include "CPropertySheet.h"
#include "CompletePage.h"
#include "ExistDriverPage.h"
#include "ListModelPage.h"
#include "ListPrinterPage.h"
#include "ListQueuesPage.h"
#include "NetworkSearchPage.h"
#include "NewOldPage.h"
#include "OtherPortPage.h"
#include "WelcomePage.h"

class CTWKSheet : public CPropertySheet {
  DECLARE_DYNAMIC(CTWKSheet)

public:
  CTWKSheet(LPCWSTR caption, HBITMAP watermark, HBITMAP header);
  ~CTWKSheet() override;

  // WM_GETICON: the program icon, loaded once per kind and also set on the main window.
  LRESULT OnGetIcon(WPARAM kind, LPARAM);

  // The pages, in declared order (the sheet adds them in position order).
  CListQueuesPage m_listQueuesPage;
  CNewOldPage m_newOldPage;
  CListPrinterPage m_listPrinterPage;
  CExistDriverPage m_existDriverPage;
  CCompletePage m_completePage;
  CWelcomePage m_welcomePage;
  CNetworkSearchPage m_networkSearchPage;
  COtherPortPage m_otherPortPage;
  CListModelPage m_listModelPage;

protected:
  BOOL OnInitDialog() override;
  void BuildPropPageArray() override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
  HICON m_largeIcon = nullptr;
  HICON m_smallIcon = nullptr;
};
