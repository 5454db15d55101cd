// Helpers of the main dialog's and the program's Wine tests: files, shortcuts, dropped
// file lists, the clipboard, printers that capture their jobs, and message pumping.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "WineHarness.h"

namespace druxtest {

// Serves this thread's messages for about ms milliseconds.
void Pump(DWORD ms);

// A shell shortcut at linkPath pointing to target. False when it cannot be saved.
bool MakeShortcut(const std::wstring& linkPath, const std::wstring& target);

// A DROPFILES block (wide names) as the shell hands it over: GMEM_MOVEABLE memory.
HGLOBAL MakeDropList(const std::vector<std::wstring>& paths);

// Puts text (CF_UNICODETEXT) or a file list (CF_HDROP) on the clipboard.
bool PutClipboardText(const std::wstring& text);
bool PutClipboardFiles(const std::vector<std::wstring>& paths);
// The clipboard's text, or "<none>" when it holds none.
std::wstring ClipboardText();

// A printer "name" whose jobs land in their own capture directory.
struct CapturePrinter {
  std::wstring name;
  CaptureDir dir;
};
bool AddPrinterCapturing(const wchar_t* name, const wchar_t* port, const char* tag,
                         CapturePrinter* printer, std::wstring* error);

// Key presses as the list box sees them: the key-down with Ctrl and Shift held as
// given (the thread's key state), then its key-up.
void PressKey(HWND target, UINT key, bool ctrl = false, bool shift = false);

// The entries of a list box (LB_GETTEXT), also of another process's list.
std::vector<std::wstring> ListEntries(HWND list);
int ListSelection(HWND list);

}  // namespace druxtest
