// The printer-name check shared by the pages that take a printer name: the name may
// not be empty, and may not be longer than the installer makes printer names
// (twk::setup::PrinterNameLimit: 31 on Windows 9x and NT 4, else 220). Lengths are
// counted in UTF-16 code units, as the edit control and its EM_LIMITTEXT count them.
#pragma once

#include <string>

#include "Printers.h"

enum class PrinterNameProblem {
  None,
  Empty,    // "Please choose a valid printer name."
  TooLong,  // "This is not a valid printer name. It has too many characters."
};

// A name of exactly the limit passes.
PrinterNameProblem CheckPrinterName(const std::u16string& name, const twk::setup::WindowsKind& kind);
