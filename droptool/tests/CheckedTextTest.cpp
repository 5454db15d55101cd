#include "CheckedText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <set>

namespace {

// A language file in memory behind the GetPrivateProfileStringW contract.
class IniFile {
public:
  std::map<std::u16string, std::u16string> values;  // keys of section DRUX
  std::u16string section = u"DRUX";
  bool exists = true;
  int reads = 0;

  ProfileReader Reader() {
    return [this](const std::u16string& sec, const std::u16string& key, const std::u16string& def,
                  char16_t* buffer, uint32_t size, const std::u16string& path) -> uint32_t {
      ++reads;
      EXPECT_EQ(u"C:\\DRUX\\DRUX.ini", path);
      auto v = values.find(key);
      const std::u16string& text =
          exists && sec == section && v != values.end() ? v->second : def;
      const uint32_t n = std::min<uint32_t>(uint32_t(text.size()), size - 1);
      std::copy(text.begin(), text.begin() + n, buffer);
      buffer[n] = 0;
      return n;
    };
  }
  std::u16string Load(const drux::TextKey& key) {
    return drux::LoadCheckedText(Reader(), key, u"C:\\DRUX\\DRUX.ini");
  }
};

struct CheckCase {
  const char16_t* key;
  const char16_t* value;
  bool accepted;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
  for (const char16_t* p = c.value; *p; ++p) *os << (*p < 0x80 ? char(*p) : '?');
}

class AcceptRefuseTable : public ::testing::TestWithParam<CheckCase> {};

TEST_P(AcceptRefuseTable, TranslationKeptOnlyWithTheDefaultsConversions) {
  const CheckCase& c = GetParam();
  const drux::TextKey* key = nullptr;
  for (const drux::TextKey& k : drux::kAllTextKeys) {
    if (std::u16string(k.key) == c.key) key = &k;
  }
  ASSERT_NE(nullptr, key);
  IniFile ini;
  ini.values[c.key] = c.value;
  std::u16string expected = c.accepted ? c.value : key->fallback;
  DecodeEscapes(expected);
  EXPECT_EQ(expected, ini.Load(*key));
}

INSTANTIATE_TEST_SUITE_P(
    Values, AcceptRefuseTable,
    ::testing::Values(
        CheckCase{u"IDS_PRINTFROMTO", u"Drucke %lu von %lu", true},
        CheckCase{u"IDS_PRINTFROMTO", u"Drucke %d von %d", false},
        CheckCase{u"IDS_PRINTFROMTO", u"Drucke %5lu von %lu", false},
        CheckCase{u"IDS_PRINTFROMTO", u"Drucke %lu", false},
        CheckCase{u"IDS_PRINTFROMTO", u"", false},
        CheckCase{u"IDS_PRINTFILEINFO", u"Datei: %s", true},
        CheckCase{u"IDS_PRINTFILEINFO", u"Datei: %s (%s)", false},
        CheckCase{u"IDS_PRINTFILEINFO", u"Datei: %ls", false},
        CheckCase{u"IDS_PRINTFILEINFO", u"Datei: %s %n", false},
        CheckCase{u"IDS_PRINTFILEINFO", u"Datei: %s 100%% fertig", true},
        CheckCase{u"IDS_PRINTFILEINFO", u"Datei: %s 100%", false},
        CheckCase{u"IDC_GRP_FILES", u"100%", false},
        CheckCase{u"IDC_GRP_FILES", u"100%%", true},
        CheckCase{u"IDC_GRP_FILES", u"100% of", false},
        CheckCase{u"IDC_GRP_FILES", u"", true},
        // Escapes are decoded before the check: an escaped percent sign is one.
        CheckCase{u"IDS_PRINTFILEINFO", u"Datei: %s \\x25s", false},
        CheckCase{u"IDS_PRINTFILEINFO", u"Datei: %s \\45n", false},
        CheckCase{u"IDS_PRINTFILEINFO", u"Datei: \\x25s", true},
        CheckCase{u"IDC_GRP_FILES", u"Dateien \\x025d", false},
        CheckCase{u"IDC_GRP_FILES", u"Dateien \\45\\45", true},
        CheckCase{u"IDC_LBL_VERSION", u"Version %s", true},
        CheckCase{u"DX_Language", u"Deutsch", true}),
    [](const ::testing::TestParamInfo<CheckCase>& i) { return std::to_string(i.index); });

TEST(CheckedText, MissingFileOrKeyGivesTheDefaultDecoded) {
  IniFile ini;
  ini.exists = false;
  ini.values[u"IDS_ABORTALL"] = u"Alles abbrechen?";
  for (const drux::TextKey& k : drux::kAllTextKeys) EXPECT_EQ(k.fallback, ini.Load(k));
  EXPECT_EQ(u"DRUX", ini.Load(drux::texts::kDlgCaption));
  ini.exists = true;
  ini.section = u"Tarnwick2";  // the installer's section is not ours
  EXPECT_EQ(u"Abort all File Prints?", ini.Load(drux::texts::kAbortAll));
}

TEST(CheckedText, LongTranslationIsReadWhole) {
  IniFile ini;
  std::u16string longText(700, u'x');
  longText += u" %lu / %lu";
  ini.values[u"IDS_PRINTFROMTO"] = longText;
  EXPECT_EQ(longText, ini.Load(drux::texts::kPrintFromTo));
  EXPECT_GT(ini.reads, 1);
}

TEST(CheckedText, TwentyDistinctKeysWithTheirDefaults) {
  std::set<std::u16string> keys;
  for (const drux::TextKey& k : drux::kAllTextKeys) keys.insert(k.key);
  EXPECT_EQ(20u, keys.size());
  // Only the two progress formats and the version line carry conversions.
  int withConversions = 0;
  for (const drux::TextKey& k : drux::kAllTextKeys) {
    if (std::u16string(k.fallback).find(u'%') != std::u16string::npos) ++withConversions;
  }
  EXPECT_EQ(3, withConversions);
}

}  // namespace
