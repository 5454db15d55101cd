// Bar position and percentage of the progress window. The bar has parts sections of
// 1000 steps each; the window uses one.
#pragma once

#include <cstdint>
#include <string>

namespace drux {

// Bar position (0 to 1000 within section part) of done bytes of the range lower to
// upper. done is clamped to the range, so a file that grew since it was measured
// never moves the bar past its end.
double ProgressPosition(uint64_t done, uint64_t lower, uint64_t upper, int part);

// The percentage text of a bar position, one decimal and a percent sign ("50.0%").
// The divisor is parts x 1000.5, so a full bar reads "100.0%" and 999.96 "99.9%".
std::u16string PercentText(double position, int parts);

}  // namespace drux
