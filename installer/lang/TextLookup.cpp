#include "TextLookup.h"

#include <vector>

std::u16string ReadText(const ProfileReader& reader, const std::u16string& section,
                        const std::u16string& key, const std::u16string& def,
                        const std::u16string& path) {
  // The first read holds the default whole. A count of n - 1 means the value may
  // have been cut: read again with a buffer twice the size (a long translation
  // takes a few reads, not one per extra character).
  uint64_t n = uint64_t(def.size()) + 2;
  if (n > kMaxTextLength + 1) {
    n = kMaxTextLength + 1;
  }
  for (;;) {
    std::vector<char16_t> buffer(size_t(n), u'\0');
    uint32_t count = reader(section, key, def, buffer.data(), uint32_t(n), path);
    if (count > n - 1) {
      count = uint32_t(n - 1);  // a reader that claims more than it may store
    }
    std::u16string text(buffer.data(), count);
    const size_t zero = text.find(u'\0');
    if (zero != std::u16string::npos) {
      text.resize(zero);
    }
    if (count != n - 1 || n >= kMaxTextLength + 1) {
      return text;
    }
    n = n * 2 > kMaxTextLength + 1 ? kMaxTextLength + 1 : n * 2;
  }
}

namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool IsOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }

}  // namespace

void DecodeEscapes(std::u16string& text) {
  // One pass into a new string (linear also for a text made of escapes). An
  // escape either yields one character or, with a code of zero, nothing; in that
  // case the character that moves into the escape's place is copied as it is.
  const std::u16string in = text;
  std::u16string out;
  out.reserve(in.size());
  const size_t n = in.size();
  size_t i = 0;
  while (i < n) {
    const char16_t c = in[i];
    if (c != u'\\') {
      out += c;
      ++i;
      continue;
    }
    if (i + 1 == n) {
      out += c;  // a backslash at the end stays
      break;
    }
    const char16_t e = in[i + 1];
    size_t length = 2;  // of the escape, backslash included
    uint32_t code = e;  // an unknown escape keeps its character
    switch (e) {
      case u'\\': code = u'\\'; break;
      case u'a': code = 0x07; break;
      case u'b': code = 0x08; break;
      case u'f': code = 0x0C; break;
      case u'n': code = 0x0A; break;
      case u'r': code = 0x0D; break;
      case u't': code = 0x09; break;
      case u'v': code = 0x0B; break;
      case u'x':
      case u'X': {
        size_t digits = 0;
        uint32_t value = 0;
        while (digits < 3 && i + 2 + digits < n && HexDigit(in[i + 2 + digits]) >= 0) {
          value = value * 16 + uint32_t(HexDigit(in[i + 2 + digits]));
          ++digits;
        }
        if (digits > 0) {
          code = value;
          length = 2 + digits;
        }  // without digits only the backslash goes
        break;
      }
      default:
        if (IsOctalDigit(e)) {
          size_t digits = 0;
          uint32_t value = 0;
          while (digits < 3 && i + 1 + digits < n && IsOctalDigit(in[i + 1 + digits])) {
            value = value * 8 + uint32_t(in[i + 1 + digits] - u'0');
            ++digits;
          }
          code = value;
          length = 1 + digits;
        }
        break;
    }
    i += length;
    if (code != 0) {
      out += char16_t(code);
    } else if (i < n) {
      out += in[i];
      ++i;
    }
  }
  text.swap(out);
}

namespace {

std::u16string BesideLastBackslash(std::u16string_view line, std::u16string_view fileName) {
  const size_t slash = line.rfind(u'\\');
  if (slash == std::u16string_view::npos) {
    return std::u16string(fileName);
  }
  std::u16string path(line.substr(0, slash));
  path += u'\\';
  path += fileName;
  return path;
}

}  // namespace

std::u16string TextFilePathFromModuleName(std::u16string_view moduleName,
                                          std::u16string_view fileName) {
  return BesideLastBackslash(moduleName, fileName);
}

std::u16string TextFilePathFromCommandLine(std::u16string_view commandLine,
                                           std::u16string_view fileName) {
  std::u16string line(commandLine);
  if (line.size() >= 2 && line[0] == u'"') {
    const size_t closing = line.find(u'"', 1);
    if (closing != std::u16string::npos) {
      line.erase(closing, 1);
      line.erase(0, 1);
    }
  }
  return BesideLastBackslash(line, fileName);
}
