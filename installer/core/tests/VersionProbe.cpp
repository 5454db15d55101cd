// Answers the four version checks as bits of its exit code, for a test that starts
// it under per-program Windows-version settings.
#include "WinVersion.h"

int main() {
  return (IsNT4() ? 1 : 0) | (IsWin9x() ? 2 : 0) | (IsNT5OrLater() ? 4 : 0) |
         (Is64BitWindows() ? 8 : 0);
}
