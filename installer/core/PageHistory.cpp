#include "PageHistory.h"

int32_t PopPage(PageHistory& history) {
  // Back is offered only on pages that a Next led to, but an empty history must
  // not be read past its end.
  if (history.empty()) {
    return kNoPreviousPage;
  }
  const int32_t id = history.back();
  history.pop_back();
  return id;
}
