// The tool's text lookup: section "DRUX" of "DRUX.ini", with a check that a
// translation carries the same printf conversions as its built-in default.
#pragma once

#include <string>

#include "DruxTexts.h"
#include "TextLookup.h"

namespace drux {

// The section of the tool's language file.
inline constexpr char16_t kTextSection[] = u"DRUX";
// The language file beside the program.
inline constexpr char16_t kTextFileName[] = u"DRUX.ini";

// True when translation may stand for fallback: both decoded, their conversion
// signatures are equal. Decoding first matters: "\x25d" becomes "%d" only then.
bool ConversionsMatch(const std::u16string& translation, const std::u16string& fallback);

// The raw (still escaped) value of key, or fallback when the file, the section or the
// key is absent or the value's conversions differ from fallback's.
std::u16string ReadCheckedText(const ProfileReader& reader, const std::u16string& key,
                               const std::u16string& fallback, const std::u16string& path);

// ReadCheckedText, then DecodeEscapes.
std::u16string LoadCheckedText(const ProfileReader& reader, const TextKey& key,
                               const std::u16string& path);

}  // namespace drux
