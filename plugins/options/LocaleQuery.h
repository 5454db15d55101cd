// The user-locale look-ups of the option model, behind a replaceable query function.
//
// Windows builds answer from GetLocaleInfoW(LOCALE_USER_DEFAULT, ...); the native build
// has no locale and its default query always fails. Tests install their own query with
// SetLocaleQuery. The default job-option record captures LocalePaperIndex() once per
// process (PrivateDevmode.h), so a test that needs a particular default paper must
// install its query before the first DefaultPrivateDevmode call of the process.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

enum class LocaleItem {
  PaperSize,  // LOCALE_IPAPERSIZE: "1" letter, "5" legal, "8" A3, "9" A4, ...
  Measure,    // LOCALE_IMEASURE: "0" metric, "1" US
};

// Fills text with the item's value for the user's default locale. Returns false when the
// locale cannot be read (the Windows call answers a length of 0 or less).
using LocaleQuery = bool (*)(LocaleItem item, std::u16string& text);

// The query used by LocalePaperIndex and LocaleUsesUSMeasure. Not synchronised: set it
// before any plug-in thread uses the model (tests do this at start-up).
LocaleQuery SetLocaleQuery(LocaleQuery query);  // returns the previous query; nullptr restores the default
LocaleQuery DefaultLocaleQuery();

// Page-size index of the locale's paper: first character "1" -> 0 (Letter), "5" -> 1
// (Legal), "8" -> 6 (A3), anything else or a failed query -> 7 (A4).
std::uint8_t LocalePaperIndex();
// Same mapping applied to a given query answer; text nullptr means the query failed.
std::uint8_t PaperIndexFromLocaleText(const std::u16string* text);

// true unless the locale's measurement system is metric (first character "0"); also
// true when the query fails.
bool LocaleUsesUSMeasure();

}  // namespace qv
