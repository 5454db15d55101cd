// The document page's portable rules: template choice, companion path, data-file name,
// title and printer name.
#include <gtest/gtest.h>

#include <string>

#include "PageRules.h"

namespace qv {
namespace ui {
namespace {

TEST(PageRules, ShortTemplateUpTo600Pixels) {
  EXPECT_TRUE(UsesShortPageTemplate(0));
  EXPECT_TRUE(UsesShortPageTemplate(580));
  EXPECT_TRUE(UsesShortPageTemplate(600));
  EXPECT_FALSE(UsesShortPageTemplate(601));
  EXPECT_FALSE(UsesShortPageTemplate(1050));
}

TEST(PageRules, CompanionPathCases) {
  struct Case {
    const char16_t* module;
    bool ok;
    const char16_t* companion;  // the path after the call (unchanged on failure)
  } const cases[] = {
      {u"C:\\spool\\drivers\\x64\\3\\qvui_dll.dll", true, u"C:\\spool\\drivers\\x64\\3\\qvui.dll"},
      {u"C:\\d\\QVUI_DLL.DLL", true, u"C:\\d\\QVUI.dll"},
      {u"C:\\d\\qvui_dll.Dll", true, u"C:\\d\\qvui.dll"},
      {u"/unix/path/qvui_dll.dll", true, u"/unix/path/qvui.dll"},
      {u"C:\\d/mixed\\a_b_c.dll", true, u"C:\\d/mixed\\a_b.dll"},
      // Without "_" in the file name the plug-in's own name comes back; a "_" in a
      // directory name does not count.
      {u"C:\\my_dir\\plugin.dll", true, u"C:\\my_dir\\plugin.dll"},
      {u"C:\\d\\_x.dll", true, u"C:\\d\\.dll"},
      {u"C:\\d\\x_.dll", true, u"C:\\d\\x.dll"},
      {u"x.dll", true, u"x.dll"},
      {u"a_.dll", true, u"a.dll"},
      {u"qvui_dll.dll", true, u"qvui.dll"},
      {u".dll", false, u".dll"},
      {u"", false, u""},
      {u"C:\\d\\qvui_dll.exe", false, u"C:\\d\\qvui_dll.exe"},
      {u"C:\\d\\qvui_dll.dl", false, u"C:\\d\\qvui_dll.dl"},
      {u"C:\\d\\qvui_dll_dll", false, u"C:\\d\\qvui_dll_dll"},
      {u"C:\\d\\qvui_dll.dll ", false, u"C:\\d\\qvui_dll.dll "},
  };
  for (const Case& c : cases) {
    std::u16string path = c.module;
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    EXPECT_EQ(CompanionPathFromModulePath(path), c.ok);
    EXPECT_EQ(path, std::u16string(c.companion));
  }
}

TEST(PageRules, CompanionPathNeverGrows) {
  // The result must fit the buffer the module path was read into.
  for (std::u16string path : {u"a_.dll", u"C:\\x\\b_.DLL", u"C:\\x\\plain.dll"}) {
    const std::size_t before = path.size();
    ASSERT_TRUE(CompanionPathFromModulePath(path));
    EXPECT_LE(path.size(), before);
  }
}

TEST(PageRules, DataFileNamePart) {
  EXPECT_EQ(DataFileNamePart(nullptr), u"");
  EXPECT_EQ(DataFileNamePart(u""), u"");
  EXPECT_EQ(DataFileNamePart(u"QV.PPD"), u"QV.PPD");
  EXPECT_EQ(DataFileNamePart(u"C:\\Windows\\spool\\drivers\\x64\\3\\QV.PPD"), u"QV.PPD");
  EXPECT_EQ(DataFileNamePart(u"C:\\a/b\\c/QV.PPD"), u"QV.PPD");
  EXPECT_EQ(DataFileNamePart(u"C:\\dir\\"), u"");
  const std::u16string longName(300, u'n');
  EXPECT_EQ(DataFileNamePart((u"C:\\" + longName).c_str()), longName.substr(0, 261));
}

TEST(PageRules, TitleIsAtMost32CharactersOfAnUnterminatedField) {
  EXPECT_EQ(PageTitleFromDeviceName(nullptr), u"");
  EXPECT_EQ(PageTitleFromDeviceName(u"Laser"), u"Laser");
  // A full dmDeviceName field: 32 characters, no terminator; the characters after it
  // (the next DEVMODE field) are not part of the title.
  char16_t field[40];
  for (int i = 0; i < 40; ++i) field[i] = static_cast<char16_t>(u'A' + i % 26);
  EXPECT_EQ(PageTitleFromDeviceName(field), std::u16string(field, 32));
}

TEST(PageRules, PrinterNameIsCutAt511Characters) {
  EXPECT_EQ(PrinterNamePart(nullptr), u"");
  EXPECT_EQ(PrinterNamePart(u"\\\\server\\Laser"), u"\\\\server\\Laser");
  const std::u16string longName(600, u'p');
  EXPECT_EQ(PrinterNamePart(longName.c_str()), longName.substr(0, 511));
}

}  // namespace
}  // namespace ui
}  // namespace qv
