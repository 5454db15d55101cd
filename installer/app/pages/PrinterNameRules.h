// The printer-name check shared by the pages that take a printer name: the name may
// not be empty, and the spooler of Windows 9x and NT 4 takes at most 31 characters,
// later systems 220. Lengths are counted in UTF-16 code units, as the edit control
// and its EM_LIMITTEXT count them.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t kShortPrinterNameLimit = 31;  // Windows 9x and NT 4
constexpr size_t kPrinterNameLimit = 220;      // Windows 2000 and later

constexpr size_t PrinterNameLimit(bool win9x, bool nt4) {
  return win9x || nt4 ? kShortPrinterNameLimit : kPrinterNameLimit;
}

enum class PrinterNameProblem {
  None,
  Empty,    // "Please choose a valid printer name."
  TooLong,  // "This is not a valid printer name. It has too many characters."
};

// A name of exactly the limit passes.
PrinterNameProblem CheckPrinterName(const std::u16string& name, bool win9x, bool nt4);
