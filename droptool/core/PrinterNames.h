// The printer names of the tool: their order, the main dialog's rule for keeping the
// selection when the list is rebuilt, and the printer menu of the command-line mode.
#pragma once

#include <string>
#include <vector>

namespace drux {

// Sorts names ascending by UTF-16 code unit (so "Zeta" before "alpha"), a prefix before
// the longer text; equal names keep their order. A bubble sort over neighbours that
// stops after a pass without exchanges. Returns the number of passes made (0 for
// fewer than two names, 1 for names already in order).
int SortStringList(std::vector<std::u16string>& names);

// True when the shown list needs no rebuild: the same number of names, and every
// shown name (exact, case-sensitive) among the fresh ones.
bool SamePrinters(const std::vector<std::u16string>& shown,
                  const std::vector<std::u16string>& fresh);

// The entry to select after a rebuild. selected: the index selected before (-1 for
// none); selectedText: its text; found: where the rebuilt list has that text (-1 when
// not); count: the rebuilt list's size. The same printer when it is still there; else
// the same index when it still exists, else the last entry; nothing when nothing was
// selected or the list is empty. -1 for no selection.
int ReselectIndex(int selected, const std::u16string& selectedText, int found, int count);

// The command id of the first printer in the menu; printer i has id kFirstPrinterCommand + i.
constexpr unsigned kFirstPrinterCommand = 1000;

// The menu text of a printer name: every "&" doubled, so that the name shows as it is
// and no letter becomes a mnemonic.
std::u16string MenuLabel(const std::u16string& name);

// The printer index of a menu answer, or -1 when it names no printer (0: no choice).
int PrinterForCommand(unsigned command, size_t printerCount);

}  // namespace drux
