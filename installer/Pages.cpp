#include "Pages.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(CNewOldPage, CPropertyPageExEx)
IMPLEMENT_DYNCREATE(CNetworkSearchPage, CPropertyPageExEx)
IMPLEMENT_DYNCREATE(CListQueuesPage, CPropertyPageExEx)
IMPLEMENT_DYNCREATE(COtherPortPage, CPropertyPageExEx)
IMPLEMENT_DYNCREATE(CListModelPage, CPropertyPageExEx)
IMPLEMENT_DYNCREATE(CListPrinterPage, CPropertyPageExEx)
IMPLEMENT_DYNCREATE(CExistDriverPage, CPropertyPageExEx)
IMPLEMENT_DYNCREATE(CCompletePage, CPropertyPageExEx)

namespace {
const DWORD kBackNext = PSWIZB_BACK | PSWIZB_NEXT;
const DWORD kBackNextFinish = PSWIZB_BACK | PSWIZB_NEXT | PSWIZB_FINISH;
}  // namespace

// Page 7.
CNewOldPage::CNewOldPage()
    : CPropertyPageExEx(IDD_NEWOLD, LoadText(L"IDS_H_NOP", L"New printer driver from disk?"),
                        LoadText(L"IDS_SH_NOP", L"Select the option to install printer driver")) {}

BOOL CNewOldPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1003, L"IDS_LA_SELOPTION", L"Select the option you want to use:"},
            {1001, L"IDS_RADIO_NP", L"Install new printer from installation disk"},
            {1002, L"IDS_RADIO_OP", L"Install new printer that based on installed printer"},
            {1004, L"IDS_LA_INFO_NPOP",
             L"To install a printer driver from disk, use the 'Install new printer from "
             L"installation disk' option.\\nTo install printers by using an existing printer "
             L"driver, please select 'Install new printer that based on installed printer'."}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CNewOldPage::OnWizardNext() { return AcceptNext(IDD_NETWORKSEARCH); }
LRESULT CNewOldPage::OnWizardBack() { return GoBack(); }

// Page 11.
CNetworkSearchPage::CNetworkSearchPage()
    : CPropertyPageExEx(IDD_NETWORKSEARCH, LoadText(L"IDS_H_LQOLD", L"Network Search"),
                        LoadText(L"IDS_SH_LQOLD",
                                 L"Search the network environment for connected printers.")) {}

void CNetworkSearchPage::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, 1038, m_servers); }

BOOL CNetworkSearchPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1037, L"IDS_RADIO_UDP", L"Search the subnet for connected printers"},
            {1040, L"IDS_RADIO_NETPRNAME", L"Network printer name or IP Address"},
            {1042, L"IDS_RADIO_OTHERPRT", L"Other Connection"},
            {1017, L"IDS_BT_UDP_SEARCH", L"Search"},
            {1043, L"IDS_LA_OTHERPORTINFO",
             L"Please select 'Other Connection' to use another printer connection."}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CNetworkSearchPage::OnWizardNext() { return AcceptNext(IDD_LISTQUEUES); }
LRESULT CNetworkSearchPage::OnWizardBack() { return GoBack(); }

// Page 12.
CListQueuesPage::CListQueuesPage()
    : CPropertyPageExEx(IDD_LISTQUEUES, LoadText(L"IDS_H_LQNEW", L"Queue selection"),
                        LoadText(L"IDS_SH_LQNEW", L"Which queues do you want to install?")) {}

void CListQueuesPage::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, 1007, m_queues); }

BOOL CListQueuesPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1067, L"IDS_LA_LISTQU", L"Please select the queues to install:"},
            {1013, L"IDS_BT_SELALL", L"Select all"},
            {1014, L"IDS_BT_DESELALL", L"Unselect all"},
            {1068, L"IDS_RADIO_OTHERPRT", L"Other Connection"},
            {1070, L"IDS_LA_OTHERPORTINFO",
             L"Please select 'Other Connection' to use another printer connection."},
            {1079, L"IDS_CHECK_INTPR", L"Install as Internet printer"},
            {1084, L"IDS_LA_CPRINAME", L"Printer name:"}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CListQueuesPage::OnWizardNext() { return AcceptNext(IDD_LISTMODEL); }
LRESULT CListQueuesPage::OnWizardBack() { return GoBack(); }

// Page 8.
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

// Page 9.
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

// Page 10.
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

// Page 13.
CExistDriverPage::CExistDriverPage()
    : CPropertyPageExEx(IDD_EXISTDRIVER, LoadText(L"IDS_H_EXIST", L"Existing driver"),
                        LoadText(L"IDS_SH_EXIST", L"The chosen printer driver exist on your computer.")) {}

BOOL CExistDriverPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{1029, L"IDS_LA_SELOPTION", L"Select the option you want to use:"},
            {1030, L"IDS_RADIO_KEEP_PD", L"Keep existing driver (recommended)"},
            {1031, L"IDS_RADIO_NOT_KEEP_PD", L"Replace existing driver"}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CExistDriverPage::OnWizardNext() { return AcceptNext(IDD_COMPLETE); }
LRESULT CExistDriverPage::OnWizardBack() { return GoBack(); }

// Page 14.
CCompletePage::CCompletePage() : CPropertyPageExEx(IDD_COMPLETE, CString(), CString()) {
  m_psp.dwFlags |= PSP_HIDEHEADER;
}

CCompletePage::~CCompletePage() {
  if (m_headingFont) ::DeleteObject(m_headingFont);
}

BOOL CCompletePage::OnSetActive() {
  PostWizardButtons(kBackNextFinish);
  SetTexts({{1020, L"IDS_LA_COMPLETEH", L"Completing the Tarnwick"},
            {1021, L"IDS_LA_COMPLETESH", L"You specified the following printer settings:"},
            {1022, L"IDS_LA_CPRINAME", L"Printer name:"},
            {1024, L"IDS_LA_CDRIVER", L"Printer driver:"},
            {1026, L"IDS_LA_CPORTS_SG", L"Port:"},
            {1028, L"IDS_LA_FINISH", L"Please click 'Finish' to complete the installation."}});
  HFONT heading = MakeHeadingFont(SheetFont());
  SendDlgItemMessage(1020, WM_SETFONT, reinterpret_cast<WPARAM>(heading), TRUE);
  if (m_headingFont) ::DeleteObject(m_headingFont);
  m_headingFont = heading;
  return CPropertyPageExEx::OnSetActive();
}

LRESULT CCompletePage::OnWizardBack() { return GoBack(); }
BOOL CCompletePage::OnWizardFinish() { return FALSE; }
