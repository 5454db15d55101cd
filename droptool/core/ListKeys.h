// What a key press does in the tool's list boxes: the keyboard editing of the file list
// (delete, select all, copy, cut, paste) and of the plain printer list.
#pragma once

#include <cstdint>

namespace drux {

// Virtual-key codes the lists react to. Only the letter keys themselves: the codes of
// the lower-case letters are those of the numeric keypad's 1 and 3 and of F7 and F9.
constexpr uint32_t kKeyInsert = 0x2D;
constexpr uint32_t kKeyDelete = 0x2E;
constexpr uint32_t kKeyA = 0x41;
constexpr uint32_t kKeyC = 0x43;
constexpr uint32_t kKeyV = 0x56;
constexpr uint32_t kKeyX = 0x58;

enum class ListKeyAction {
  kDefault,         // the list box's own handling
  kDeleteSelected,  // remove the selected entries, then the list box's own handling
  kSelectAll,
  kCopy,            // the selected entries to the clipboard
  kPaste,           // files and lines of text from the clipboard (path mode)
  kCut,             // copy, then remove the selected entries (path mode)
};

struct ListKeyState {
  uint32_t key;  // virtual-key code
  bool ctrl;
  bool shift;
};

// In this order: Shift+Delete in path mode cuts; Delete removes when deleting is
// allowed; Ctrl+A selects all; Ctrl+C and Ctrl+Insert copy; outside path mode nothing
// more; Shift+Insert and Ctrl+V paste; Ctrl+X cuts; anything else is the list box's.
ListKeyAction DecideListKey(const ListKeyState& key, bool pathMode, bool allowDelete);

// True when the key's following key-up and character messages get no default
// handling: the action used the key up.
bool UsesKeyUp(ListKeyAction action);

}  // namespace drux
