// The class library's message box: the program's name as caption (Windows builds
// only).
#pragma once

#include <windows.h>

#include "CString.h"

// The application's name: the one the application object carries, else the program
// file's name without directory and extension.
CString AfxGetAppName();

// MessageBoxW with the program's name as caption. Without an icon in type, Yes/No
// questions get the question icon and the others the exclamation icon. owner nullptr:
// the thread's active window (its last active pop-up), when there is one.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, HWND owner = nullptr);
