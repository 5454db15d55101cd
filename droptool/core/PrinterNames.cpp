#include "PrinterNames.h"

#include <algorithm>

namespace drux {

int SortStringList(std::vector<std::u16string>& names) {
  const size_t n = names.size();
  if (n < 2) return 0;
  int passes = 0;
  // Each pass carries the greatest remaining name to the end of its range.
  for (size_t end = n - 1; end > 0; --end) {
    ++passes;
    bool exchanged = false;
    for (size_t i = 0; i < end; ++i) {
      // char16_t compares as unsigned 16-bit code units.
      if (names[i + 1] < names[i]) {
        names[i].swap(names[i + 1]);
        exchanged = true;
      }
    }
    if (!exchanged) break;
  }
  return passes;
}

bool SamePrinters(const std::vector<std::u16string>& shown,
                  const std::vector<std::u16string>& fresh) {
  if (shown.size() != fresh.size()) return false;
  for (const std::u16string& name : shown) {
    if (std::find(fresh.begin(), fresh.end(), name) == fresh.end()) return false;
  }
  return true;
}

int ReselectIndex(int selected, const std::u16string& selectedText, int found, int count) {
  if (selected < 0 || count <= 0) return -1;
  if (!selectedText.empty() && found >= 0 && found < count) return found;
  return selected < count ? selected : count - 1;
}

std::u16string MenuLabel(const std::u16string& name) {
  std::u16string label;
  label.reserve(name.size());
  for (char16_t c : name) {
    label += c;
    if (c == u'&') label += u'&';
  }
  return label;
}

int PrinterForCommand(unsigned command, size_t printerCount) {
  if (command < kFirstPrinterCommand) return -1;
  const size_t index = command - kFirstPrinterCommand;
  return index < printerCount ? int(index) : -1;
}

}  // namespace drux
