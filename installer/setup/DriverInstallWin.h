// Installing a printer driver from an INF driver package (Windows build).
#pragma once

#include <windows.h>
#include <setupapi.h>
#include <winspool.h>

// winspool.h maps this name to its own function; ours is the one below.
#undef GetPrintProcessorDirectory

#include "CString.h"
#include "InstallerState.h"
#include "SetupText.h"

// The kind of Windows as the installer's version checks answer it.
twk::setup::WindowsKind CurrentWindowsKind();

// Installs the driver of the model that `source` names, copying the package's files
// (and those it borrows from other INF files) and registering the driver with the
// local spooler. `owner` owns SetupAPI's own dialogs (none when null). The names of
// the colour profiles the package installs are appended to `colourProfiles`.
// Answers 0 when the driver was registered, else a non-zero Win32 code.
DWORD InstallPrinterDriver(const DriverSource& source, HWND owner, CStringList& colourProfiles);
// The same; registrationFailed tells whether a non-zero answer is the spooler's
// refusal of the driver (AddPrinterDriverW), rather than a package that could not be
// read or copied.
DWORD InstallPrinterDriver(const DriverSource& source, HWND owner, CStringList& colourProfiles,
                           bool& registrationFailed);

// Field `field` of the first line of `section` with key `key`; empty when none.
CString ReadInfField(HINF inf, const wchar_t* section, const wchar_t* key, DWORD field);

// The local spooler's directories for this process's environment; empty when the
// spooler does not answer.
CString GetDriverDirectory();
CString GetPrintProcessorDirectory();
// The colour directory (mscms.dll); the driver directory when it cannot be had.
CString GetColorProfileDirectory();
// 66001: print processors, 66003: colour profiles, any other DIRID: the driver directory.
CString GetDirectoryForDirId(DWORD dirId);

// File-queue callback of every commit: delete errors are skipped, everything else
// is answered by the default callback (`context` is its context).
UINT CALLBACK SkipDeleteErrors(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2);
