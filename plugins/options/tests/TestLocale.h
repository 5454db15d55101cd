// A fake user locale for the option-model tests.
//
// Every test program that links TestLocale.cpp starts with a locale whose paper is A4
// ("9"), installed before main so that the process-wide default record is built with
// it; tests then change the fake's answers to exercise the locale mappings.
#pragma once

namespace qvtest {

// nullptr makes the query fail, as GetLocaleInfoW answering 0 does.
void SetFakePaperSize(const char16_t* text);
void SetFakeMeasure(const char16_t* text);

// Restores the start-up answers ("9" paper, "0" metric measure).
void ResetFakeLocale();

}  // namespace qvtest
