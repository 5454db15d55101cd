// Every choice the wizard's user makes and everything the wizard learns on the way,
// in one record. The application object holds the one instance; the pages use its
// fields directly. Nothing of it is saved between runs.
//
// Strings start empty, flags false and radio choices 0 (the control id of the
// checked radio button, named in installer/app/TWKResource.h; 0 when none). A value
// stays until a page writes it again, also when the user goes back and takes another
// road through the wizard.
#pragma once

#include <windows.h>

#include <memory>

#include "CString.h"
#include "PageHistory.h"
#include "PrintServer.h"

// The driver to install: models section (with its decoration), model name, INF path.
struct DriverSource {
  CString modelsSection;
  CString modelName;
  CString infPath;
};

// The installed printer chosen on the installed-printer page.
struct InstalledPrinter {
  CString driverName;
  CString printerName;
  CString port;
};

struct InstallerState {
  CString printServerName;   // the chosen server as the user knows it
  CString serverHostName;    // host name of the chosen server
  CString serverAddress;     // dotted IPv4 text of the chosen server
  CString printerName;       // new printer's name, or the first part of every name
  CString singlePort;        // the one port chosen or created on the connection page
  CString driverName;        // driver of the new printers
  CStringList queueList;     // one printer per entry; after the queue page the checked ones
  bool serverAnswered = false;   // printers then name the server by host name, else by address
  bool singlePortMode = false;   // one printer on singlePort instead of one per queue
  bool internetPrinter = false;  // printers on queues get Internet (IPP) ports
  DriverSource driverSource;
  InstalledPrinter installedPrinter;
  int32_t radioServerSearch = 0;   // page 11: IDC_NETSEARCH_FOUND, _TYPED or _OTHER
  int32_t radioConnection = 0;     // page 8: IDC_OTHERPORT_UNC, _URL, _EXISTING or _NEW
  int32_t radioExistingDriver = 0; // page 13: IDC_EXISTDRIVER_KEEP or _REPLACE
  bool driverInstalled = false;    // a driver of the chosen model is installed already
  bool keepDriver = false;         // Finish installs no driver and uses the installed one
  int32_t radioDriverOrigin = 0;   // page 7: IDC_NEWOLD_FROMDISK or IDC_NEWOLD_BASED
  bool basedMode = false;          // the new printers use an installed printer's driver
  int32_t radioQueues = 0;         // page 12: IDC_LISTQUEUES_CHECKED or _OTHER

  // Servers found by the start-up discovery. The discovery thread keeps its own
  // copy of this pointer and writes only through it, so the list stays valid until
  // the thread has ended even when the program exits while it still runs. The
  // network-search page reads it only after the wait on discoveryThread reported
  // the thread's end.
  std::shared_ptr<PrintServerList> threadServers = std::make_shared<PrintServerList>();
  // The start-up discovery thread until the network-search page has seen it end;
  // neither closed nor waited for at exit.
  HANDLE discoveryThread = nullptr;
  PrintServerList shownServers;     // servers listed on page 11

  CStringList portsBeforeNewPort;   // port names taken just before a new port is made
  CString infPath;                  // INF file opened on page 9
  CString chosenServerAddress;      // page 11: IPv4 text of the selected found server
  CString typedServerName;          // page 11: host name or address typed
  CString chosenInstalledPrinter;   // page 10: selected installed printer
  CString chosenModelsSection;      // page 9: models section of the selected manufacturer
  CString chosenModel;              // page 9: selected model
  CString chosenPort;               // page 8: selected existing port
  CString typedUncName;             // page 8: UNC field
  CString typedUrl;                 // page 8: URL field
  CString typedPrinterName;         // page 12: printer name typed in based mode

  PageHistory pageHistory;

  // Returns the last page id of the history and removes it (kNoPreviousPage when
  // the history is empty).
  int32_t PopPage() { return ::PopPage(pageHistory); }
};
