// The lookup against real language files read by the platform's profile reader.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TextLookupWin.h"

namespace {

class LanguageFile : public testing::Test {
protected:
  void SetUp() override {
    wchar_t dir[MAX_PATH], name[MAX_PATH];
    ASSERT_NE(0u, GetTempPathW(MAX_PATH, dir));
    ASSERT_NE(0u, GetTempFileNameW(dir, L"lng", 0, name));
    path_ = name;
  }
  void TearDown() override { DeleteFileW(path_); }

  // Writes the file as UTF-16 with a byte-order mark.
  void Write(const std::wstring& content) {
    HANDLE f = CreateFileW(path_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    std::wstring all = L"\xFEFF" + content;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(f, all.data(), DWORD(all.size() * sizeof(wchar_t)), &written, nullptr));
    CloseHandle(f);
  }

  CString path_;
};

TEST_F(LanguageFile, TextsFromTheFile) {
  const std::wstring longText(600, L'w');
  Write(L"[Other]\r\nIDS_LOCAL=wrong section\r\n"
        L"[Tarnwick2]\r\n"
        L"IDS_LOCAL=Deutsch\r\n"
        L"IDS_BT_UDP_SEARCH=Suchen!\r\n"
        L"IDS_EMPTY=\r\n"
        L"IDS_LA_INFO=Zeile 1\\nZeile 2 \\x414\r\n"
        L"IDS_UMLAUT=Drucker f\u00fcr \u00c4nderungen\r\n"
        L"IDS_LONG=" + longText + L"\r\n");
  const struct {
    const wchar_t* key;
    const wchar_t* def;
    std::wstring expected;
  } cases[] = {
      {L"IDS_LOCAL", L"non localized", L"Deutsch"},
      {L"IDS_BT_UDP_SEARCH", L"Search", L"Suchen!"},  // one longer than the default
      {L"IDS_EMPTY", L"not empty", L""},
      {L"IDS_LA_INFO", L"x", L"Zeile 1\nZeile 2 \u0414"},
      {L"IDS_UMLAUT", L"Printer", L"Drucker f\u00fcr \u00c4nderungen"},
      {L"IDS_LONG", L"short", longText},
      {L"IDS_MISSING", L"Line 1\\nLine 2", L"Line 1\nLine 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(c.expected, LoadText(c.key, c.def, path_).str());
  }
  EXPECT_EQ(L"Zeile 1\\nZeile 2 \\x414", ReadText(L"IDS_LA_INFO", L"x", path_).str());
}

TEST_F(LanguageFile, OwnFileAndSection) {
  Write(L"[DRUX]\r\nIDS_PROGNAME=Ablage\r\n[Tarnwick2]\r\nIDS_PROGNAME=Assistent\r\n");
  TextFile drux(L"DRUX.ini", L"DRUX", TextPathRule::ModuleName);
  EXPECT_EQ(L"Ablage", LoadText(drux, L"IDS_PROGNAME", L"DRUX", path_).str());
  EXPECT_EQ(L"Assistent", LoadText(L"IDS_PROGNAME", L"Tarnwick", path_).str());
}

TEST(LanguageFilePath, MissingFileGivesDefaults) {
  EXPECT_EQ(L"Example: \\\\printername\\queue",
            LoadText(L"IDS_X", L"Example: \\\\\\\\printername\\\\queue",
                     L"C:\\no\\such\\dir\\twk.lng").str());
}

TEST(LanguageFilePath, BesideTheProgram) {
  TextFile& file = InstallerTextFile();
  EXPECT_STREQ(L"twk.lng", file.fileName);
  EXPECT_STREQ(L"Tarnwick2", file.section);
  EXPECT_TRUE(file.pathHolder.IsEmpty());
  const CString path = GetTextFilePath();
  EXPECT_EQ(path, file.pathHolder);
  const int slash = path.ReverseFind(L'\\');
  EXPECT_TRUE(path.Mid(slash + 1) == L"twk.lng") << path.GetString();

  // The module rule always names the directory of this program.
  TextFile beside(L"twk.lng", L"Tarnwick2", TextPathRule::ModuleName);
  wchar_t self[MAX_PATH];
  std::wstring module(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  EXPECT_EQ(module.substr(0, module.rfind(L'\\')) + L"\\twk.lng", GetTextFilePath(beside).str());
  // The lookup without a path fills the holder once.
  TextFile lazy(L"twk.lng", L"Tarnwick2", TextPathRule::ModuleName);
  EXPECT_EQ(L"Tarnwick", LoadText(lazy, L"IDS_PROGNAME", L"Tarnwick").str());
  EXPECT_EQ(GetTextFilePath(beside), lazy.pathHolder);
}

}  // namespace
