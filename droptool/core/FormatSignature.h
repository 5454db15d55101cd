// The printf conversions of a text, as one comparable string. A translated text is
// only used when its signature equals that of its built-in default, so that a
// translation can never hand a formatting call other arguments than the code passes.
#pragma once

#include <string>

namespace drux {

// Each printf conversion of text ("%" through its conversion letter, flags,
// width, precision and length included), followed by one blank. "%%" is no
// conversion. A "%" without a conversion letter after it takes the rest of the text.
std::u16string FormatSignature(const std::u16string& text);

}  // namespace drux
