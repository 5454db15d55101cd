// Resource ids of the installer, shared by the resource scripts and the sources.
#pragma once

#define IDI_PROGRAM 1
#define IDB_WATERMARK 2
#define IDB_WELCOME 3
#define IDB_HEADER 5
#define IDR_TARNWICK64 101

// Page ids: each page is known by the id of its dialog.
#define IDD_WELCOME 6
#define IDD_NEWOLD 7
#define IDD_OTHERPORT 8
#define IDD_LISTMODEL 9
#define IDD_LISTPRINTER 10
#define IDD_NETWORKSEARCH 11
#define IDD_LISTQUEUES 12
#define IDD_EXISTDRIVER 13
#define IDD_COMPLETE 14

// The sheet's Help button.
#define IDC_SHEET_HELP 9
