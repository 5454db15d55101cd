#include "ListModelPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CListModelPage, CPropertyPageExEx)

CListModelPage::CListModelPage()
    : CPropertyPageExEx(IDD_LISTMODEL, LoadText(L"IDS_H_SMODEL", L"Manufacturer and Model"),
                        LoadText(L"IDS_SH_SMODEL",
                                 L"The manufacturer and model determine which printer software to "
                                 L"use.")) {}

void CListModelPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, 1054, m_manufacturers);
  DDX_Control(pDX, 1055, m_models);
}

BOOL CListModelPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1056, L"IDS_LA_INTROLISTMODEL",
             L"Please select the manufacturer and model of your printer. If your printer came with "
             L"an installation disk, please click 'Have Disk...'."},
            {1013, L"IDS_BT_HAVEDISK", L"Have Disk..."},
            {1057, L"IDS_LA_PRNAME", L"Printer name:"}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CListModelPage::OnWizardNext() { return AcceptNext(IDD_COMPLETE); }
LRESULT CListModelPage::OnWizardBack() { return GoBack(); }
