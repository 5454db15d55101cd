#include "ListKeys.h"

namespace drux {

ListKeyAction DecideListKey(const ListKeyState& k, bool pathMode, bool allowDelete) {
  if (k.key == kKeyDelete && k.shift && pathMode) return ListKeyAction::kCut;
  if (k.key == kKeyDelete)
    return allowDelete ? ListKeyAction::kDeleteSelected : ListKeyAction::kDefault;
  if (k.ctrl && k.key == kKeyA) return ListKeyAction::kSelectAll;
  if (k.ctrl && (k.key == kKeyC || k.key == kKeyInsert)) return ListKeyAction::kCopy;
  if (!pathMode) return ListKeyAction::kDefault;
  if ((k.shift && k.key == kKeyInsert) || (k.ctrl && k.key == kKeyV)) return ListKeyAction::kPaste;
  if (k.ctrl && k.key == kKeyX) return ListKeyAction::kCut;
  return ListKeyAction::kDefault;
}

bool UsesKeyUp(ListKeyAction action) {
  return action != ListKeyAction::kDefault && action != ListKeyAction::kDeleteSelected;
}

}  // namespace drux
