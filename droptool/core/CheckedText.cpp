#include "CheckedText.h"

#include "FormatSignature.h"

namespace drux {

bool ConversionsMatch(const std::u16string& translation, const std::u16string& fallback) {
  std::u16string t = translation;
  std::u16string f = fallback;
  DecodeEscapes(t);
  DecodeEscapes(f);
  return FormatSignature(t) == FormatSignature(f);
}

std::u16string ReadCheckedText(const ProfileReader& reader, const std::u16string& key,
                               const std::u16string& fallback, const std::u16string& path) {
  std::u16string value = ReadText(reader, kTextSection, key, fallback, path);
  return ConversionsMatch(value, fallback) ? value : fallback;
}

std::u16string LoadCheckedText(const ProfileReader& reader, const TextKey& key,
                               const std::u16string& path) {
  std::u16string text = ReadCheckedText(reader, key.key, key.fallback, path);
  DecodeEscapes(text);
  return text;
}

}  // namespace drux
