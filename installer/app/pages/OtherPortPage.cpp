#include "OtherPortPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(COtherPortPage, CPropertyPageExEx)

COtherPortPage::COtherPortPage()
    : CPropertyPageExEx(IDD_OTHERPORT, LoadText(L"IDS_H_SPORT", L"Specify a printer connection"),
                        LoadText(L"IDS_SH_PORT", L"What printer do you want to connect to?")) {
  m_strCaption = LoadText(L"IDS_PROGNAME", L"Tarnwick");
  m_psp.dwFlags |= PSP_USETITLE;
}

void COtherPortPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, 1036, m_ports);
  DDX_Control(pDX, 1012, m_monitors);
}

BOOL COtherPortPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1044, L"IDS_RADIO_UNC", L"Connect to this printer port:"},
            {1048, L"IDS_LA_UNC", L"Name:"},
            {1049, L"IDS_LA_UNC_EG", L"Example: \\\\\\\\printername\\\\queue"},
            {1045, L"IDS_RADIO_URL", L"Connect to a printer on the Internet or on an office network:"},
            {1050, L"IDS_LA_URL", L"URL:"},
            {1051, L"IDS_LA_URL_EG", L"Example: http://printername:631/printers/queue"},
            {1046, L"IDS_RADIO_EXISTPRT", L"Use the following port:"},
            {1047, L"IDS_RADIO_NEWPRT", L"Create a new port:"},
            {1085, L"IDS_LA_CPRINAME", L"Printer name:"}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT COtherPortPage::OnWizardNext() { return AcceptNext(IDD_LISTMODEL); }
LRESULT COtherPortPage::OnWizardBack() { return GoBack(); }
