// The installer's text keys with their built-in English defaults: every text a page,
// the sheet or a message box shows is looked up by one of these (LoadText). Defaults
// are written in the escaped form of the language file and are decoded like a
// translation. IDS_COL_PRINTERS is the one key with two defaults: each list that
// shows it passes its own.
#pragma once

namespace twk {

struct InstallerText {
  const char16_t* key;
  const char16_t* fallback;
};

namespace texts {

// The program as a whole.
inline constexpr InstallerText kProgramName{u"IDS_PROGNAME", u"Tarnwick"};
inline constexpr InstallerText kCompany{u"IDS_COMPANY", u"TAVIK"};

// Welcome page (6).
inline constexpr InstallerText kWelcomeHeading{u"IDS_LA_WELCOMEHEAD", u"Welcome to the Tarnwick"};
inline constexpr InstallerText kWelcomeBody{u"IDS_LA_WELCOME",
    u"This wizard helps you to install a printer and make printer connections."};
inline constexpr InstallerText kWelcomeContinue{u"IDS_LA_CONTINUE",
    u"Please click 'Next' to continue."};
inline constexpr InstallerText kLanguageName{u"IDS_LOCAL", u"non localized"};

// New-or-based page (7).
inline constexpr InstallerText kNewOldTitle{u"IDS_H_NOP", u"New printer driver from disk?"};
inline constexpr InstallerText kNewOldSubtitle{u"IDS_SH_NOP",
    u"Select the option to install printer driver"};
inline constexpr InstallerText kSelectOption{u"IDS_LA_SELOPTION",
    u"Select the option you want to use:"};
inline constexpr InstallerText kRadioFromDisk{u"IDS_RADIO_NP",
    u"Install new printer from installation disk"};
inline constexpr InstallerText kRadioBasedOnInstalled{u"IDS_RADIO_OP",
    u"Install new printer that based on installed printer"};
inline constexpr InstallerText kNewOldInfo{u"IDS_LA_INFO_NPOP",
    u"To install a printer driver from disk, use the 'Install new printer from installation "
    u"disk' option.\\nTo install printers by using an existing printer driver, please select "
    u"'Install new printer that based on installed printer'."};

// Network-search page (11).
inline constexpr InstallerText kNetworkSearchTitle{u"IDS_H_LQOLD", u"Network Search"};
inline constexpr InstallerText kNetworkSearchSubtitle{u"IDS_SH_LQOLD",
    u"Search the network environment for connected printers."};
inline constexpr InstallerText kColumnFoundPrinters{u"IDS_COL_PRINTERS", u"Found Printers"};
inline constexpr InstallerText kColumnIp{u"IDS_COL_IP", u"IP"};
inline constexpr InstallerText kRadioSearchSubnet{u"IDS_RADIO_UDP",
    u"Search the subnet for connected printers"};
inline constexpr InstallerText kRadioPrinterName{u"IDS_RADIO_NETPRNAME",
    u"Network printer name or IP Address"};
inline constexpr InstallerText kButtonSearch{u"IDS_BT_UDP_SEARCH", u"Search"};
inline constexpr InstallerText kErrorNoPrintersFound{u"IDS_ERROR1", u"No printers found"};
inline constexpr InstallerText kErrorSelectPrinter{u"IDS_ERROR2",
    u"Please select a printer you want to use."};
inline constexpr InstallerText kErrorCannotConnect{u"IDS_ERROR3",
    u"Could not connect to the printer."};
inline constexpr InstallerText kErrorSpecifyPrinter{u"IDS_ERROR4",
    u"Please specify the network name or IP address of the printer you want to use."};
inline constexpr InstallerText kRadioOtherConnection{u"IDS_RADIO_OTHERPRT", u"Other Connection"};
inline constexpr InstallerText kOtherConnectionInfo{u"IDS_LA_OTHERPORTINFO",
    u"Please select 'Other Connection' to use another printer connection."};

// Queue page (12).
inline constexpr InstallerText kQueuesTitle{u"IDS_H_LQNEW", u"Queue selection"};
inline constexpr InstallerText kQueuesSubtitle{u"IDS_SH_LQNEW",
    u"Which queues do you want to install?"};
inline constexpr InstallerText kRadioQueues{u"IDS_LA_LISTQU",
    u"Please select the queues to install:"};
inline constexpr InstallerText kButtonSelectAll{u"IDS_BT_SELALL", u"Select all"};
inline constexpr InstallerText kButtonUnselectAll{u"IDS_BT_DESELALL", u"Unselect all"};
inline constexpr InstallerText kCheckInternetPrinter{u"IDS_CHECK_INTPR",
    u"Install as Internet printer"};
inline constexpr InstallerText kErrorSelectQueue{u"IDS_ERROR8",
    u"Please select a queue to install."};
inline constexpr InstallerText kPrinterNameLabel{u"IDS_LA_CPRINAME", u"Printer name:"};
inline constexpr InstallerText kErrorEmptyPrinterName{u"IDS_ERROR9",
    u"Please choose a valid printer name."};
inline constexpr InstallerText kErrorPrinterNameTooLong{u"IDS_ERROR13",
    u"This is not a valid printer name. It has too many characters."};

// Other-connection page (8).
inline constexpr InstallerText kOtherPortTitle{u"IDS_H_SPORT", u"Specify a printer connection"};
inline constexpr InstallerText kOtherPortSubtitle{u"IDS_SH_PORT",
    u"What printer do you want to connect to?"};
inline constexpr InstallerText kRadioUnc{u"IDS_RADIO_UNC", u"Connect to this printer port:"};
inline constexpr InstallerText kRadioUrl{u"IDS_RADIO_URL",
    u"Connect to a printer on the Internet or on an office network:"};
inline constexpr InstallerText kRadioExistingPort{u"IDS_RADIO_EXISTPRT",
    u"Use the following port:"};
inline constexpr InstallerText kRadioNewPort{u"IDS_RADIO_NEWPRT", u"Create a new port:"};
inline constexpr InstallerText kUncExample{u"IDS_LA_UNC_EG",
    u"Example: \\\\\\\\printername\\\\queue"};
inline constexpr InstallerText kUrlExample{u"IDS_LA_URL_EG",
    u"Example: http://printername:631/printers/queue"};
inline constexpr InstallerText kUncLabel{u"IDS_LA_UNC", u"Name:"};
inline constexpr InstallerText kUrlLabel{u"IDS_LA_URL", u"URL:"};
inline constexpr InstallerText kErrorCannotConnectTo{u"IDS_ERROR6", u"Could not connect to:"};
inline constexpr InstallerText kErrorInvalidPort{u"IDS_ERROR7",
    u"This is not a valid printer port."};

// Model page (9).
inline constexpr InstallerText kModelTitle{u"IDS_H_SMODEL", u"Manufacturer and Model"};
inline constexpr InstallerText kModelSubtitle{u"IDS_SH_SMODEL",
    u"The manufacturer and model determine which printer software to use."};
inline constexpr InstallerText kColumnManufacturer{u"IDS_COL_MANUS", u"Manufacturer"};
inline constexpr InstallerText kColumnModel{u"IDS_COL_MODEL", u"Printers"};
inline constexpr InstallerText kButtonHaveDisk{u"IDS_BT_HAVEDISK", u"Have Disk..."};
inline constexpr InstallerText kModelIntro{u"IDS_LA_INTROLISTMODEL",
    u"Please select the manufacturer and model of your printer. If your printer came with an "
    u"installation disk, please click 'Have Disk...'."};
inline constexpr InstallerText kModelPrinterNameLabel{u"IDS_LA_PRNAME", u"Printer name:"};
inline constexpr InstallerText kErrorOpenFile{u"IDS_ERROR5", u"Could not open specified file."};
inline constexpr InstallerText kErrorSelectModel{u"IDS_ERROR12",
    u"Please select a printer model you want to use."};

// Installed-printer page (10).
inline constexpr InstallerText kInstalledPrintersTitle{u"IDS_H_SRINT", u"Installed Printers"};
inline constexpr InstallerText kInstalledPrintersSubtitle{u"IDS_SH_SPRINT",
    u"Please select a listed printer."};
inline constexpr InstallerText kInstalledPrintersInfo{u"IDS_LA_SELECTPRINTER",
    u"Please select a printer to install a new printer.\\nThe new printer's driver will be "
    u"based on the chosen printer."};
inline constexpr InstallerText kColumnInstalledPrinters{u"IDS_COL_PRINTERS", u"Installed Printers"};

// Existing-driver page (13).
inline constexpr InstallerText kExistDriverTitle{u"IDS_H_EXIST", u"Existing driver"};
inline constexpr InstallerText kExistDriverSubtitle{u"IDS_SH_EXIST",
    u"The chosen printer driver exist on your computer."};
inline constexpr InstallerText kRadioKeepDriver{u"IDS_RADIO_KEEP_PD",
    u"Keep existing driver (recommended)"};
inline constexpr InstallerText kRadioReplaceDriver{u"IDS_RADIO_NOT_KEEP_PD",
    u"Replace existing driver"};

// Complete page (14).
inline constexpr InstallerText kCompleteHeading{u"IDS_LA_COMPLETEH", u"Completing the Tarnwick"};
inline constexpr InstallerText kCompleteSubheading{u"IDS_LA_COMPLETESH",
    u"You specified the following printer settings:"};
inline constexpr InstallerText kDriverLabel{u"IDS_LA_CDRIVER", u"Printer driver:"};
inline constexpr InstallerText kPortLabel{u"IDS_LA_CPORTS_SG", u"Port:"};
inline constexpr InstallerText kPortsLabel{u"IDS_LA_CPORTS_PL", u"Ports:"};
inline constexpr InstallerText kCompleteFinish{u"IDS_LA_FINISH",
    u"Please click 'Finish' to complete the installation."};
inline constexpr InstallerText kErrorInstallDriver{u"IDS_ERROR10",
    u"Could not install printer driver."};
inline constexpr InstallerText kErrorInstallPrinters{u"IDS_ERROR11",
    u"Could not install printer(s)."};
}  // namespace texts

// Every entry above, in the order above.
extern const InstallerText kAllInstallerTexts[72];

}  // namespace twk
