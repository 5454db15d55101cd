// The installer's text table: one entry per key (IDS_COL_PRINTERS, the one key with
// two defaults, twice), well-formed keys, and the defaults decoded as the pages show
// them.
#include "InstallerTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "TextLookup.h"

namespace {

using twk::InstallerText;
using twk::kAllInstallerTexts;
namespace texts = twk::texts;

std::u16string Shown(const InstallerText& text) {
  std::u16string s = text.fallback;
  DecodeEscapes(s);
  return s;
}

TEST(InstallerTexts, EveryKeyOnceButTheSharedColumnHeading) {
  std::map<std::u16string, std::set<std::u16string>> defaults;
  for (const InstallerText& t : kAllInstallerTexts) {
    ASSERT_NE(t.key, nullptr);
    ASSERT_NE(t.fallback, nullptr);
    EXPECT_TRUE(defaults[t.key].insert(t.fallback).second) << "entry twice";
  }
  EXPECT_EQ(defaults.size(), 71u);
  for (const auto& [key, values] : defaults) {
    EXPECT_EQ(values.size(), key == u"IDS_COL_PRINTERS" ? 2u : 1u);
  }
  EXPECT_EQ(defaults[u"IDS_COL_PRINTERS"],
            (std::set<std::u16string>{u"Found Printers", u"Installed Printers"}));
}

TEST(InstallerTexts, KeysAreUpperCaseIdentifiersWithTheirPrefix) {
  for (const InstallerText& t : kAllInstallerTexts) {
    const std::u16string key = t.key;
    SCOPED_TRACE(std::string(key.begin(), key.end()));
    EXPECT_EQ(key.rfind(u"IDS_", 0), 0u);
    for (char16_t c : key) {
      EXPECT_TRUE((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_');
    }
  }
}

// Defaults are stored escaped, as a language file writes them; these are the ones the
// decoding changes.
TEST(InstallerTexts, EscapedDefaultsShowDecoded) {
  EXPECT_EQ(Shown(texts::kUncExample), u"Example: \\\\printername\\queue");
  EXPECT_EQ(Shown(texts::kNewOldInfo),
            u"To install a printer driver from disk, use the 'Install new printer from "
            u"installation disk' option.\nTo install printers by using an existing printer "
            u"driver, please select 'Install new printer that based on installed printer'.");
  EXPECT_EQ(Shown(texts::kInstalledPrintersInfo),
            u"Please select a printer to install a new printer.\nThe new printer's driver will "
            u"be based on the chosen printer.");
  size_t changed = 0;
  for (const InstallerText& t : kAllInstallerTexts) changed += Shown(t) != t.fallback;
  EXPECT_EQ(changed, 3u);
}

}  // namespace
