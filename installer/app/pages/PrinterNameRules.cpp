#include "PrinterNameRules.h"

PrinterNameProblem CheckPrinterName(const std::u16string& name, bool win9x, bool nt4) {
  if (name.empty()) return PrinterNameProblem::Empty;
  if (name.size() > PrinterNameLimit(win9x, nt4)) return PrinterNameProblem::TooLong;
  return PrinterNameProblem::None;
}
