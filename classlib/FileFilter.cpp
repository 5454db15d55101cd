#include "FileFilter.h"

#include <vector>

std::u16string FilterToDialogBlock(std::u16string_view filter) {
  std::vector<std::u16string_view> parts;
  size_t start = 0;
  while (start < filter.size()) {
    const size_t bar = filter.find(u'|', start);
    const size_t end = bar == std::u16string_view::npos ? filter.size() : bar;
    if (end == start) break;  // an empty part ends the filter ("||")
    parts.push_back(filter.substr(start, end - start));
    if (bar == std::u16string_view::npos) break;
    start = bar + 1;
  }
  if (parts.size() % 2) parts.pop_back();  // a description without its patterns
  std::u16string block;
  for (std::u16string_view part : parts) {
    block.append(part);
    block.push_back(u'\0');
  }
  if (!block.empty()) block.push_back(u'\0');
  return block;
}
