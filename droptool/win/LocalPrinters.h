// The local printer queues and their order, and shell shortcuts (Windows side of the
// tool's printer and file services).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CString.h"
#include "PastedFiles.h"

// Appends the names of this computer's printer queues to names, then sorts the whole
// list by code unit (SortStringList). A failed enumeration appends nothing.
void EnumLocalPrinters(CStringList& names);

// Sorts the list in place, ascending by UTF-16 code unit; equal names keep their order.
void SortStringList(CStringList& names);

// The path of the shortcut file's target in target (room for at least MAX_PATH
// characters; set empty first). False for anything that is not a shortcut resolving to
// a file-system path. Never shows a window. COM must be initialised on the thread.
bool ResolveShortcut(LPWSTR target, LPCWSTR path);

// The file system as the file list judges dropped and pasted paths.
class WinFileProbe : public drux::FileProbe {
public:
  bool ResolveShortcut(const std::u16string& path, std::u16string* target) override;
  bool IsRegularFile(const std::u16string& path) override;

private:
  bool Regular(const std::u16string& path, uint64_t* size);
  std::u16string lastPath_;  // the last path whose status was queried, and its answer
  bool lastRegular_ = false;
  uint64_t lastSize_ = 0;
};

// The names of a dropped file list (WM_DROPFILES or the clipboard's CF_HDROP), each at
// its full length, in order. Nothing for a block that is not a well-formed list.
std::vector<std::u16string> DroppedPaths(HDROP drop);
