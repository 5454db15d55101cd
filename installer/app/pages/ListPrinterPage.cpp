#include "ListPrinterPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CListPrinterPage, CPropertyPageExEx)

CListPrinterPage::CListPrinterPage()
    : CPropertyPageExEx(IDD_LISTPRINTER, LoadText(texts::kInstalledPrintersTitle),
                        LoadText(texts::kInstalledPrintersSubtitle)) {
  m_strCaption = LoadText(texts::kProgramName);
  m_psp.dwFlags |= PSP_USETITLE;
}

void CListPrinterPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_LISTPRINTER_PRINTERS, m_printers);
}

BOOL CListPrinterPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{IDC_LISTPRINTER_INFO, texts::kInstalledPrintersInfo}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CListPrinterPage::OnWizardNext() { return AcceptNext(IDD_LISTQUEUES); }
LRESULT CListPrinterPage::OnWizardBack() { return GoBack(); }
