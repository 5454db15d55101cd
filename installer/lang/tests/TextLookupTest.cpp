#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "TextLookup.h"

namespace {

std::string Narrow(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) {
    if (c >= 0x20 && c < 0x7F) {
      out += char(c);
    } else {
      char hex[12];
      snprintf(hex, sizeof hex, "<%04X>", unsigned(c));
      out += hex;
    }
  }
  return out;
}

struct EscapeCase {
  const char16_t* in;
  std::u16string out;
};

TEST(DecodeEscapes, Table) {
  const EscapeCase cases[] = {
      {u"plain text", u"plain text"},
      {u"", u""},
      {u"a\\nb", u"a\nb"},
      {u"\\a\\b\\f\\n\\r\\t\\v", u"\a\b\f\n\r\t\v"},
      {u"Example: \\\\\\\\printername\\\\queue", u"Example: \\\\printername\\queue"},
      // hexadecimal: both introducers, at most three digits
      {u"\\x41", u"A"},
      {u"\\X41", u"A"},
      {u"\\x414", u"\u0414"},
      {u"\\x4142", u"\u04142"},
      {u"\\x4g", u"\u0004g"},
      {u"\\xFfF", u"\u0fff"},
      {u"\\x", u"x"},
      {u"\\xg", u"xg"},
      // octal: at most three digits, the largest 0777
      {u"\\101", u"A"},
      {u"\\1014", u"A4"},
      {u"\\18", u"\u00018"},
      {u"\\777", u"\u01ff"},
      {u"\\7", u"\u0007"},
      // a code of zero inserts nothing; the character moving into its place is
      // never the start of another escape
      {u"a\\0b", u"ab"},
      {u"\\x0", u""},
      {u"\\000\\x000", u"\\x000"},
      {u"\\0\\n", u"\\n"},
      {u"\\0\\0\\n", u"\\0\n"},
      // unknown escapes keep their character; case matters
      {u"\\q\\N\\8\\9\\\"\\ ", u"qN89\" "},
      {u"\\T", u"T"},
      {u"\\\\n", u"\\n"},
      // an escape's result is not examined again
      {u"\\x5c\\x6e", u"\\n"},
      {u"\\134n", u"\\n"},
      // a backslash at the end stays; escapes before it are decoded
      {u"\\", u"\\"},
      {u"a\\tb\\", u"a\tb\\"},
      {u"\\\\\\", u"\\\\"},
  };
  for (const auto& c : cases) {
    std::u16string text = c.in;
    DecodeEscapes(text);
    EXPECT_EQ(c.out, text) << "input " << Narrow(c.in) << " gave " << Narrow(text);
  }
}

TEST(DecodeEscapes, LongTextOfEscapesIsLinear) {
  std::u16string text;
  for (int i = 0; i < 200000; ++i) text += u"\\0\\x41";
  DecodeEscapes(text);
  // each \0 removes itself and lets the next backslash through verbatim
  std::u16string expected;
  for (int i = 0; i < 200000; ++i) expected += u"\\x41";
  EXPECT_EQ(expected, text);
}

// A profile reader with GetPrivateProfileStringW's contract over a map; an absent
// file is a reader without entries.
class FakeProfile {
public:
  std::map<std::u16string, std::u16string> values;  // "section/key" -> value
  std::vector<uint32_t> sizes;                      // buffer size of every read

  ProfileReader Reader() {
    return [this](const std::u16string& section, const std::u16string& key,
                  const std::u16string& def, char16_t* buffer, uint32_t size,
                  const std::u16string& path) -> uint32_t {
      EXPECT_EQ(u"C:\\prog\\twk.lng", path);
      sizes.push_back(size);
      auto it = values.find(section + u"/" + key);
      const std::u16string& value = it == values.end() ? def : it->second;
      if (size == 0) return 0;
      const size_t n = std::min<size_t>(value.size(), size - 1);
      std::copy(value.begin(), value.begin() + n, buffer);
      buffer[n] = 0;
      return uint32_t(n);
    };
  }
  std::u16string Read(const std::u16string& key, const std::u16string& def) {
    sizes.clear();
    return ReadText(Reader(), u"Tarnwick2", key, def, u"C:\\prog\\twk.lng");
  }
};

TEST(ReadText, ReaderLoop) {
  FakeProfile profile;
  const std::u16string def = u"Search";
  const struct {
    const char* what;
    std::optional<std::u16string> value;  // absent: the key is missing
    std::u16string expected;
    size_t reads;
  } cases[] = {
      {"missing key", std::nullopt, def, 1},
      {"empty value stays empty", u"", u"", 1},
      {"shorter", u"Los", u"Los", 1},
      {"as long as the default", u"Suchen", u"Suchen", 1},
      {"one longer: read twice", u"Suchen!", u"Suchen!", 2},
      {"two longer", u"Suchen!!", u"Suchen!!", 2},
      {"hundreds of characters", std::u16string(700, u'w'), std::u16string(700, u'w'), 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    profile.values.clear();
    if (c.value) profile.values[u"Tarnwick2/IDS_BT_UDP_SEARCH"] = *c.value;
    EXPECT_EQ(c.expected, profile.Read(u"IDS_BT_UDP_SEARCH", def));
    EXPECT_EQ(c.reads, profile.sizes.size());
    ASSERT_FALSE(profile.sizes.empty());
    EXPECT_EQ(def.size() + 2, profile.sizes[0]);
  }
}

TEST(ReadText, OtherSectionsAreNotRead) {
  FakeProfile profile;
  profile.values[u"DRUX/IDS_PROGNAME"] = u"Drop";
  EXPECT_EQ(u"Tarnwick", profile.Read(u"IDS_PROGNAME", u"Tarnwick"));
  EXPECT_EQ(u"Drop", ReadText(profile.Reader(), u"DRUX", u"IDS_PROGNAME", u"Tarnwick",
                              u"C:\\prog\\twk.lng"));
}

TEST(ReadText, EmptyDefault) {
  FakeProfile profile;
  EXPECT_EQ(u"", profile.Read(u"IDS_X", u""));
  EXPECT_EQ(std::vector<uint32_t>{2}, profile.sizes);
  profile.values[u"Tarnwick2/IDS_X"] = u"x";
  EXPECT_EQ(u"x", profile.Read(u"IDS_X", u""));
  EXPECT_EQ((std::vector<uint32_t>{2, 4}), profile.sizes);
}

TEST(TextFilePath, FromModuleName) {
  const struct {
    const char16_t* module;
    const char16_t* expected;
  } cases[] = {
      {u"C:\\Program Files\\Tarnwick\\tarnwick.exe", u"C:\\Program Files\\Tarnwick\\twk.lng"},
      {u"\\\\server\\share\\tarnwick.exe", u"\\\\server\\share\\twk.lng"},
      {u"C:\\tarnwick.exe", u"C:\\twk.lng"},
      {u"tarnwick.exe", u"twk.lng"},
      {u"", u"twk.lng"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, TextFilePathFromModuleName(c.module, u"twk.lng")) << Narrow(c.module);
  }
  EXPECT_EQ(u"D:\\tools\\DRUX.ini", TextFilePathFromModuleName(u"D:\\tools\\DRUX.exe", u"DRUX.ini"));
}

TEST(TextFilePath, FromCommandLine) {
  const struct {
    const char16_t* line;
    const char16_t* expected;
  } cases[] = {
      {u"\"C:\\Program Files\\Tarnwick\\tarnwick.exe\"", u"C:\\Program Files\\Tarnwick\\twk.lng"},
      {u"\"C:\\Program Files\\Tarnwick\\tarnwick.exe\" ", u"C:\\Program Files\\Tarnwick\\twk.lng"},
      {u"C:\\Tarnwick\\tarnwick.exe", u"C:\\Tarnwick\\twk.lng"},
      // an argument with a backslash gives the directory
      {u"\"C:\\Tarnwick\\tarnwick.exe\" D:\\drivers\\model.inf", u"C:\\Tarnwick\\tarnwick.exe D:\\drivers\\twk.lng"},
      {u"\"C:\\Tarnwick\\tarnwick.exe\" \"D:\\x y\\z\"", u"C:\\Tarnwick\\tarnwick.exe \"D:\\x y\\twk.lng"},
      // only a leading quote with a partner is removed
      {u"\"C:\\Tarnwick\\tarnwick.exe", u"\"C:\\Tarnwick\\twk.lng"},
      {u"C:\\a b\\\"q\"\\t.exe", u"C:\\a b\\\"q\"\\twk.lng"},
      {u"\"\"", u"twk.lng"},
      {u"\"", u"twk.lng"},
      {u"tarnwick.exe", u"twk.lng"},
      {u"", u"twk.lng"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, TextFilePathFromCommandLine(c.line, u"twk.lng")) << Narrow(c.line);
  }
}

}  // namespace
