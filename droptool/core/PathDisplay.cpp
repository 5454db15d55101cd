#include "PathDisplay.h"

#include <algorithm>
#include <climits>

namespace drux {

std::u16string ToDisplayForm(const std::u16string& path) {
  const size_t k = path.rfind(u'\\');
  if (k == std::u16string::npos) return path;
  std::u16string entry = path.substr(k + 1);
  entry += u'\t';
  if (k == 0) return entry;
  entry += u" [";
  entry.append(path, 0, k);
  entry += u']';
  return entry;
}

std::u16string DisplayToPath(const std::u16string& entry) {
  const size_t a = entry.find(u'\t');
  if (a == std::u16string::npos) return entry;
  std::u16string path;
  if (a + 3 < entry.size()) path.assign(entry, a + 3, entry.size() - 1 - (a + 3));
  path += u'\\';
  path.append(entry, 0, a);
  return path;
}

std::u16string TabLabel(const std::u16string& entry) {
  const size_t tab = entry.rfind(u'\t');
  return tab == std::u16string::npos ? entry : entry.substr(0, tab);
}

int TabStopFor(int widestLabel, int baseUnitX) {
  const long long w = std::max(widestLabel, 0);
  const long long x = std::max(baseUnitX, 1);
  const long long stop = ((w * 4 + 16) / 3) * 4 / x;
  return stop > INT_MAX ? INT_MAX : int(stop);
}

void ListMeasures::Add(int labelWidth, int entryWidth) {
  widestLabel_ = std::max(widestLabel_, labelWidth);
  widestEntry_ = std::max(widestEntry_, entryWidth);
}

int ListMeasures::Extent() const {
  const long long extent = (long long)widestEntry_ + edge_;
  return int(std::min<long long>(std::max<long long>(extent, edge_), INT_MAX));
}

}  // namespace drux
