#include "ListPrinterPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CListPrinterPage, CPropertyPageExEx)

CListPrinterPage::CListPrinterPage()
    : CPropertyPageExEx(IDD_LISTPRINTER, LoadText(L"IDS_H_SRINT", L"Installed Printers"),
                        LoadText(L"IDS_SH_SPRINT", L"Please select a listed printer.")) {
  m_strCaption = LoadText(L"IDS_PROGNAME", L"Tarnwick");
  m_psp.dwFlags |= PSP_USETITLE;
}

void CListPrinterPage::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, 1005, m_printers); }

BOOL CListPrinterPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1006, L"IDS_LA_SELECTPRINTER",
             L"Please select a printer to install a new printer.\\nThe new printer's driver will be "
             L"based on the chosen printer."}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CListPrinterPage::OnWizardNext() { return AcceptNext(IDD_LISTQUEUES); }
LRESULT CListPrinterPage::OnWizardBack() { return GoBack(); }
