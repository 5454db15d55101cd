// Windows trees: the DEVMODEW adapters of the DEVMODE exchange and the real locale query.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "DevmodeExchangeWin.h"
#include "LocaleQuery.h"

namespace {

DEVMODEW Patterned() {
  DEVMODEW dm;
  std::memset(&dm, 0x3C, sizeof(dm));
  dm.dmSize = sizeof(DEVMODEW);
  dm.dmDriverExtra = 0;
  return dm;
}

// Bytes of dm outside [offset, offset + width) of the listed fields are unchanged.
struct Span {
  std::size_t offset, width;
};
void ExpectOnlyChanged(const DEVMODEW& before, const DEVMODEW& after, std::initializer_list<Span> changed) {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(&before);
  const unsigned char* b = reinterpret_cast<const unsigned char*>(&after);
  for (std::size_t i = 0; i < sizeof(DEVMODEW); ++i) {
    bool allowed = false;
    for (const Span& s : changed) allowed |= i >= s.offset && i < s.offset + s.width;
    if (!allowed) {
      EXPECT_EQ(a[i], b[i]) << "DEVMODEW byte " << i;
    }
  }
}

#define QV_SPAN(field) Span{offsetof(DEVMODEW, field), sizeof(DEVMODEW::field)}

TEST(DevmodeExchangeWin, MergeReadsThePublicDevmodeAndWritesOnlyThePrivatePart) {
  DEVMODEW dm = Patterned();
  dm.dmFields = DM_PAPERSIZE | DM_ORIENTATION;
  dm.dmPaperSize = DMPAPER_LETTER;
  dm.dmOrientation = DMORIENT_LANDSCAPE;
  const DEVMODEW before = dm;

  qv::PrivateDevmode in;
  std::memset(&in, 0, sizeof(in));
  qv::SetPrivateDevmodeHeader(&in.dmExtraHeader);
  qv::DefaultPrivateDevmode(&in.body);
  unsigned char out[1056 + 16];
  std::memset(out, 0xEE, sizeof(out));
  DWORD cb = 1056;
  EXPECT_TRUE(qv::HandleOemDevModeW(qv::kOemDmMerge, cb, &dm, &in, out));
  EXPECT_EQ(1056u, cb);
  EXPECT_EQ(0, std::memcmp(&before, &dm, sizeof(dm)));
  const qv::PrivateDevmode* r = reinterpret_cast<const qv::PrivateDevmode*>(out);
  EXPECT_EQ(0, r->body.PageSize);
  EXPECT_EQ(1, r->body.Orientation);
  for (std::size_t i = 1056; i < sizeof(out); ++i) EXPECT_EQ(0xEE, out[i]);

  cb = 0;
  EXPECT_TRUE(qv::HandleOemDevModeW(qv::kOemDmSize, cb, nullptr, nullptr, nullptr));
  EXPECT_EQ(1056u, cb);
}

TEST(DevmodeExchangeWin, PrivateToPublicWritesOrientationAndResolutionOnly) {
  DEVMODEW dm = Patterned();
  dm.dmFields = DM_COPIES;
  const DEVMODEW before = dm;
  qv::PrivateDevmodeBody body;
  qv::DefaultPrivateDevmode(&body);
  body.Orientation = 1;
  body.Resolution = 1;
  EXPECT_TRUE(qv::PrivateToPublicW(&body, &dm));
  EXPECT_EQ(DMORIENT_LANDSCAPE, dm.dmOrientation);
  EXPECT_EQ(300, dm.dmPrintQuality);
  EXPECT_EQ(600, dm.dmYResolution);
  EXPECT_EQ(static_cast<DWORD>(DM_COPIES | DM_ORIENTATION | DM_PRINTQUALITY | DM_YRESOLUTION), dm.dmFields);
  ExpectOnlyChanged(before, dm,
                    {QV_SPAN(dmFields), QV_SPAN(dmOrientation), QV_SPAN(dmPrintQuality), QV_SPAN(dmYResolution)});
  EXPECT_FALSE(qv::PrivateToPublicW(&body, nullptr));
}

TEST(DevmodeExchangeWin, PaperSettingsRoundTripThroughDevmodew) {
  DEVMODEW dm = Patterned();
  dm.dmFields = DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME | DM_DEFAULTSOURCE;
  dm.dmPaperSize = DMPAPER_USER;
  dm.dmPaperWidth = 1000;
  dm.dmPaperLength = 2000;
  dm.dmDefaultSource = DMBIN_MANUAL;
  std::memset(dm.dmFormName, 0, sizeof(dm.dmFormName));
  std::memcpy(dm.dmFormName, L"Custom 1", 8 * sizeof(wchar_t));
  qv::PaperSettings s;
  std::memset(&s, 0, sizeof(s));
  EXPECT_TRUE(qv::PublicToSettingsW(&s, &dm));
  EXPECT_EQ(dm.dmFields, std::uint32_t{s.fields});

  DEVMODEW copy = Patterned();
  copy.dmFields = DM_COLOR;
  const DEVMODEW before = copy;
  EXPECT_TRUE(qv::SettingsToPublicW(&s, &copy));
  EXPECT_EQ(static_cast<DWORD>(DM_COLOR) | dm.dmFields, copy.dmFields);
  EXPECT_EQ(DMPAPER_USER, copy.dmPaperSize);
  EXPECT_EQ(1000, copy.dmPaperWidth);
  EXPECT_EQ(2000, copy.dmPaperLength);
  EXPECT_EQ(DMBIN_MANUAL, copy.dmDefaultSource);
  EXPECT_EQ(std::wstring(L"Custom 1"), std::wstring(copy.dmFormName));
  ExpectOnlyChanged(before, copy,
                    {QV_SPAN(dmFields), QV_SPAN(dmPaperSize), QV_SPAN(dmPaperWidth), QV_SPAN(dmPaperLength),
                     QV_SPAN(dmDefaultSource), QV_SPAN(dmFormName)});
  EXPECT_FALSE(qv::SettingsToPublicW(&s, nullptr));
  EXPECT_FALSE(qv::PublicToSettingsW(&s, nullptr));
}

TEST(LocaleQueryWin, AnswersFromGetLocaleInfoW) {
  wchar_t paper[8] = {};
  const bool havePaper = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IPAPERSIZE, paper, 8) > 0;
  std::uint8_t expected = 7;
  if (havePaper && paper[0] == L'1') expected = 0;
  if (havePaper && paper[0] == L'5') expected = 1;
  if (havePaper && paper[0] == L'8') expected = 6;
  EXPECT_EQ(expected, qv::LocalePaperIndex());

  wchar_t measure[3] = {};
  const bool haveMeasure = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 3) > 0;
  EXPECT_EQ(!(haveMeasure && measure[0] == L'0'), qv::LocaleUsesUSMeasure());
}

}  // namespace
