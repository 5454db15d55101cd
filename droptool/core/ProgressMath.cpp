#include "ProgressMath.h"

#include <cstdio>

namespace drux {

double ProgressPosition(uint64_t done, uint64_t lower, uint64_t upper, int part) {
  const uint64_t span = upper > lower ? upper - lower : 1;
  const uint64_t d = done < span ? done : span;
  return double(d) * 1000.0 / double(span) + double(part) * 1000.0;
}

std::u16string PercentText(double position, int parts) {
  const double percent = position * 100.0 / (double(parts) * 1000.5);
  char text[64];
  std::snprintf(text, sizeof text, "%.1f%%", percent);
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

}  // namespace drux
