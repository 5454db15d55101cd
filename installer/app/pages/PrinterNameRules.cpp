#include "PrinterNameRules.h"

PrinterNameProblem CheckPrinterName(const std::u16string& name, const twk::setup::WindowsKind& kind) {
  if (name.empty()) return PrinterNameProblem::Empty;
  if (name.size() > twk::setup::PrinterNameLimit(kind)) return PrinterNameProblem::TooLong;
  return PrinterNameProblem::None;
}
