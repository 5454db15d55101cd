// The printer-name check of the pages that take a name.
#include "PrinterNameRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NameCase {
  size_t length;
  bool win9x, nt4;
  PrinterNameProblem expected;
};

TEST(PrinterName, LimitsByWindowsVersionWithANameOfExactlyTheLimitPassing) {
  const NameCase cases[] = {
      {0, false, false, PrinterNameProblem::Empty},
      {0, true, false, PrinterNameProblem::Empty},
      {1, false, false, PrinterNameProblem::None},
      {31, true, false, PrinterNameProblem::None},
      {32, true, false, PrinterNameProblem::TooLong},
      {31, false, true, PrinterNameProblem::None},
      {32, false, true, PrinterNameProblem::TooLong},
      {32, false, false, PrinterNameProblem::None},
      {220, false, false, PrinterNameProblem::None},
      {221, false, false, PrinterNameProblem::TooLong},
      {220, true, true, PrinterNameProblem::TooLong},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(CheckPrinterName(std::u16string(c.length, u'x'), {c.win9x, c.nt4, false}), c.expected)
        << c.length << " win9x " << c.win9x << " nt4 " << c.nt4;
  }
}

TEST(PrinterName, LengthCountsUtf16UnitsAsTheEditFieldDoes) {
  // 110 characters outside the basic plane are 220 code units: exactly the limit.
  std::u16string name;
  for (int i = 0; i < 110; ++i) name += u"\U0001F5A8";
  EXPECT_EQ(CheckPrinterName(name, {}), PrinterNameProblem::None);
  name += u"x";
  EXPECT_EQ(CheckPrinterName(name, {}), PrinterNameProblem::TooLong);
  // A blank is a name as far as this check goes: the spooler decides what it accepts.
  EXPECT_EQ(CheckPrinterName(u" ", {}), PrinterNameProblem::None);
}

}  // namespace
