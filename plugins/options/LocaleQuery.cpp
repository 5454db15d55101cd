// Locale look-ups of the option model: the replaceable query and the mappings.
#include "LocaleQuery.h"

#include <atomic>

namespace qv {

namespace {

#ifndef _WIN32
// The native build has no user locale: every query fails, which the mappings turn into
// A4 and US measure.
bool NoLocale(LocaleItem, std::u16string&) { return false; }
#endif

std::atomic<LocaleQuery> gQuery{nullptr};

LocaleQuery CurrentQuery() {
  LocaleQuery query = gQuery.load(std::memory_order_acquire);
  return query != nullptr ? query : DefaultLocaleQuery();
}

// The look-ups run inside the spooler and applications, below COM methods that must
// not let an exception out: a query that cannot get memory for its text counts as a
// failed query.
bool Ask(LocaleItem item, std::u16string& text) {
  try {
    return CurrentQuery()(item, text);
  } catch (...) {
    text.clear();
    return false;
  }
}

}  // namespace

#ifdef _WIN32
bool WindowsLocaleQuery(LocaleItem item, std::u16string& text);  // LocaleQueryWin.cpp
#endif

LocaleQuery DefaultLocaleQuery() {
#ifdef _WIN32
  return &WindowsLocaleQuery;
#else
  return &NoLocale;
#endif
}

LocaleQuery SetLocaleQuery(LocaleQuery query) {
  LocaleQuery previous = gQuery.exchange(query, std::memory_order_acq_rel);
  return previous != nullptr ? previous : DefaultLocaleQuery();
}

std::uint8_t PaperIndexFromLocaleText(const std::u16string* text) {
  constexpr std::uint8_t kLetter = 0, kLegal = 1, kA3 = 6, kA4 = 7;
  if (text == nullptr || text->empty()) return kA4;
  switch ((*text)[0]) {
    case u'1': return kLetter;
    case u'5': return kLegal;
    case u'8': return kA3;
    default: return kA4;
  }
}

std::uint8_t LocalePaperIndex() {
  std::u16string text;
  const bool ok = Ask(LocaleItem::PaperSize, text);
  return PaperIndexFromLocaleText(ok ? &text : nullptr);
}

bool LocaleUsesUSMeasure() {
  std::u16string text;
  if (!Ask(LocaleItem::Measure, text)) return true;
  return text.empty() || text[0] != u'0';
}

}  // namespace qv
