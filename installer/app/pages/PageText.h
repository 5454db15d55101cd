// Text handling the pages' rules share.
#pragma once

#include <string>

// The text without white space at either end: the C locale's blanks (tab, line
// breaks, vertical tab, form feed, space) and the Unicode spaces a pasted name brings
// along (no-break, ideographic and the typographic spaces). White space inside the
// text stays.
std::u16string TrimWhiteSpace(const std::u16string& text);
