#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "PastedFiles.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A small file system: regular files, folders, and shortcuts with their targets (an
// empty target is a shortcut that does not resolve).
class FakeFiles : public drux::FileProbe {
public:
  std::set<std::u16string> files{u"C:\\jobs\\a.ps", u"C:\\jobs\\b.prn", u"C:\\jobs\\to a.lnk",
                                 u"C:\\jobs\\to dir.lnk", u"C:\\jobs\\broken.lnk",
                                 u"C:\\jobs\\to gone.lnk", u"C:\\jobs\\ spaced .ps"};
  std::map<std::u16string, std::u16string> shortcuts{
      {u"C:\\jobs\\to a.lnk", u"C:\\jobs\\a.ps"},
      {u"C:\\jobs\\to dir.lnk", u"C:\\jobs"},
      {u"C:\\jobs\\to gone.lnk", u"C:\\gone.ps"}};
  std::vector<std::u16string> probed;

  bool ResolveShortcut(const std::u16string& path, std::u16string* target) override {
    probed.push_back(path);
    auto it = shortcuts.find(path);
    if (it == shortcuts.end()) return false;
    *target = it->second;
    return true;
  }
  bool IsRegularFile(const std::u16string& path) override { return files.count(path) != 0; }
};

TEST(DroppedFiles, FilesShortcutTargetsAndNothingForFoldersOrMissingPaths) {
  FakeFiles fs;
  const auto added = drux::FilesFromList(
      fs, {u"C:\\jobs\\a.ps", u"C:\\jobs", u"C:\\jobs\\to a.lnk", u"C:\\jobs\\to dir.lnk",
           u"C:\\jobs\\broken.lnk", u"C:\\jobs\\to gone.lnk", u"", u"C:\\missing.ps",
           u"C:\\jobs\\a.ps"});
  // A broken shortcut stands for itself; a shortcut to a folder or to a vanished file
  // adds nothing; the same file twice is listed twice.
  EXPECT_THAT(added, ElementsAre(u"C:\\jobs\\a.ps", u"C:\\jobs\\a.ps", u"C:\\jobs\\broken.lnk",
                                 u"C:\\jobs\\a.ps"));
  for (const auto& p : fs.probed) EXPECT_FALSE(p.empty());
}

TEST(DroppedFiles, Verdicts) {
  FakeFiles fs;
  std::u16string file;
  EXPECT_EQ(drux::PathVerdict::kAdd, drux::JudgePath(fs, u"C:\\jobs\\to a.lnk", &file));
  EXPECT_EQ(u"C:\\jobs\\a.ps", file);
  EXPECT_EQ(drux::PathVerdict::kRefused, drux::JudgePath(fs, u"C:\\jobs\\to dir.lnk", &file));
  EXPECT_EQ(drux::PathVerdict::kNotFound, drux::JudgePath(fs, u"C:\\jobs", &file));
  EXPECT_EQ(drux::PathVerdict::kNotFound, drux::JudgePath(fs, u"", &file));
}

TEST(PastedText, SplitsAtRunsOfLineBreaksSoEmptyLinesFallAway) {
  EXPECT_THAT(drux::SplitLines(u"a\r\nb\n\n\rc\r"), ElementsAre(u"a", u"b", u"c"));
  EXPECT_THAT(drux::SplitLines(u"only"), ElementsAre(u"only"));
  EXPECT_THAT(drux::SplitLines(u"\r\n\r\n"), IsEmpty());
  EXPECT_THAT(drux::SplitLines(u""), IsEmpty());
  EXPECT_THAT(drux::SplitLines(u"  \n\t"), ElementsAre(u"  ", u"\t"));
}

TEST(PastedText, LinesAreTrimmedAtTheEndFirstAndAtTheStartOnlyWhenThatIsNeeded) {
  FakeFiles fs;
  const std::u16string text =
      u"  C:\\jobs\\a.ps  \r\n"        // blanks around: the file
      u"\r\n   \r\n\t\r\n"             // empty and blank lines add nothing
      u"C:\\jobs\\b.prn\t\u00A0\n"     // a tab and a no-break space after it
      u"C:\\jobs\\ spaced .ps\r\n"     // blanks inside the name stay at the start...
      u" C:\\jobs\\to a.lnk\r"         // a shortcut to a file: its target
      u"C:\\jobs\\to dir.lnk\n"        // a shortcut to a folder: nothing
      u"C:\\jobs\n"                    // a folder: nothing
      u"C:\\jobs\\broken.lnk\n"        // a broken shortcut: itself
      u"not a path at all\n"
      u"\uFEFFC:\\jobs\\b.prn";        // a byte-order mark in front, no line end
  EXPECT_THAT(drux::FilesFromText(fs, text),
              ElementsAre(u"C:\\jobs\\a.ps", u"C:\\jobs\\b.prn", u"C:\\jobs\\ spaced .ps",
                          u"C:\\jobs\\a.ps", u"C:\\jobs\\broken.lnk", u"C:\\jobs\\b.prn"));
}

TEST(PastedText, ANameThatOnlyExistsWithItsLeadingBlanksIsTakenAsIs) {
  FakeFiles fs;
  fs.files.insert(u"  lead.ps");
  fs.files.insert(u"lead.ps");
  EXPECT_THAT(drux::FilesFromText(fs, u"  lead.ps  "), ElementsAre(u"  lead.ps"));
}

TEST(ClipboardText, EndsAtTheFirstNulOrAtTheEndOfTheBlock) {
  const char16_t withNul[] = {u'a', u'b', 0, u'c', 0};
  EXPECT_EQ(u"ab", drux::TextFromBlock(withNul, sizeof withNul));
  const char16_t noNul[] = {u'x', u'y', u'z'};
  EXPECT_EQ(u"xyz", drux::TextFromBlock(noNul, sizeof noNul));
  EXPECT_EQ(u"xy", drux::TextFromBlock(noNul, 5));  // an odd byte count: the whole units
  EXPECT_EQ(u"", drux::TextFromBlock(noNul, 1));
  EXPECT_EQ(u"", drux::TextFromBlock(nullptr, 100));
}

}  // namespace

namespace {

std::vector<uint8_t> DropBlock(uint32_t offset, bool wide, const std::u16string& names) {
  std::vector<uint8_t> b(20, 0);
  std::memcpy(b.data(), &offset, 4);
  const uint32_t w = wide ? 1 : 0;
  std::memcpy(b.data() + 16, &w, 4);
  b.resize(offset, 0xEE);
  for (char16_t c : names) {
    b.push_back(uint8_t(c & 0xFF));
    if (wide) b.push_back(uint8_t(c >> 8));
  }
  return b;
}

TEST(DropList, OnlyAListClosedInsideItsBlockIsRead) {
  using namespace std::string_literals;
  const auto good = DropBlock(20, true, u"C:\\a.ps\0C:\\b.ps\0\0"s);
  EXPECT_TRUE(drux::DropListIsWellFormed(good.data(), good.size()));
  EXPECT_FALSE(drux::DropListIsWellFormed(good.data(), good.size() - 1));  // half a NUL
  EXPECT_FALSE(drux::DropListIsWellFormed(good.data(), good.size() - 2));  // no closing name
  const auto empty = DropBlock(20, true, u"\0"s);
  EXPECT_TRUE(drux::DropListIsWellFormed(empty.data(), empty.size()));
  const auto narrow = DropBlock(24, false, u"C:\\a.ps\0\0"s);
  EXPECT_TRUE(drux::DropListIsWellFormed(narrow.data(), narrow.size()));
  const auto oddOffset = DropBlock(21, true, u"x\0\0"s);
  EXPECT_TRUE(drux::DropListIsWellFormed(oddOffset.data(), oddOffset.size()));
  // A wide list whose bytes pair up wrongly is not closed by two stray zero bytes.
  const auto straddle = DropBlock(20, true, u"\u0100\u0001"s);
  EXPECT_FALSE(drux::DropListIsWellFormed(straddle.data(), straddle.size()));
  auto offsetPastEnd = good;
  const uint32_t far = 4000;
  std::memcpy(offsetPastEnd.data(), &far, 4);
  EXPECT_FALSE(drux::DropListIsWellFormed(offsetPastEnd.data(), offsetPastEnd.size()));
  auto intoHeader = good;
  const uint32_t eight = 8;
  std::memcpy(intoHeader.data(), &eight, 4);
  EXPECT_FALSE(drux::DropListIsWellFormed(intoHeader.data(), intoHeader.size()));
  EXPECT_FALSE(drux::DropListIsWellFormed(good.data(), 19));
  EXPECT_FALSE(drux::DropListIsWellFormed(nullptr, 100));
}

}  // namespace

namespace {

TEST(DropList, NamesAreReadWholeInOnePass) {
  using namespace std::string_literals;
  const std::u16string longName(400, u'n');
  const auto wideBlock = DropBlock(20, true, u"C:\\a.ps\0"s + longName + u"\0x\0\0"s);
  std::vector<std::u16string> wide;
  std::vector<std::string> narrow;
  ASSERT_TRUE(drux::ReadDropList(wideBlock.data(), wideBlock.size(), &wide, &narrow));
  EXPECT_THAT(wide, ElementsAre(u"C:\\a.ps", longName, u"x"));
  EXPECT_TRUE(narrow.empty());

  const auto narrowBlock = DropBlock(20, false, u"C:\\b.prn\0d\0\0"s);
  wide.clear();
  ASSERT_TRUE(drux::ReadDropList(narrowBlock.data(), narrowBlock.size(), &wide, &narrow));
  EXPECT_TRUE(wide.empty());
  EXPECT_THAT(narrow, ElementsAre("C:\\b.prn", "d"));

  const auto empty = DropBlock(20, true, u"\0"s);
  narrow.clear();
  ASSERT_TRUE(drux::ReadDropList(empty.data(), empty.size(), &wide, &narrow));
  EXPECT_TRUE(wide.empty());

  const auto unclosed = DropBlock(20, true, u"C:\\a.ps\0"s);
  EXPECT_FALSE(drux::ReadDropList(unclosed.data(), unclosed.size(), &wide, &narrow));
  EXPECT_TRUE(wide.empty());
}

}  // namespace

namespace {

TEST(ShortcutName, TheShellsShortcutTypeByItsExtension) {
  EXPECT_TRUE(drux::HasShortcutName(u"C:\\jobs\\a.lnk"));
  EXPECT_TRUE(drux::HasShortcutName(u"C:\\jobs\\A.LNK"));
  EXPECT_TRUE(drux::HasShortcutName(u".lnk"));
  EXPECT_FALSE(drux::HasShortcutName(u"lnk"));
  EXPECT_FALSE(drux::HasShortcutName(u"C:\\jobs\\a.lnk.ps"));
  EXPECT_FALSE(drux::HasShortcutName(u"C:\\jobs\\a.ps"));
  EXPECT_FALSE(drux::HasShortcutName(u"C:\\jobs\\alnk"));
  EXPECT_FALSE(drux::HasShortcutName(u""));
}

}  // namespace
