// The UTF-16 conversions between the portable code and the class library's strings.
#include "Utf16.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Utf16, TextBetweenPortableCodeAndClassLibrary) {
  const std::u16string text = u"Druckserver \u00e9\U0001F5A8";
  EXPECT_EQ(text, ToU16(ToCString(text)));
  EXPECT_TRUE(ToCString(text) == L"Druckserver \u00e9\U0001F5A8");
}

TEST(Utf16, NullEmptyAndInnerZero) {
  EXPECT_EQ(ToU16(static_cast<const wchar_t*>(nullptr)), u"");
  EXPECT_EQ(ToU16(CString()), u"");
  EXPECT_TRUE(ToCString(std::u16string()).IsEmpty());
  // A zero inside the text is kept both ways; W gives the NUL-terminated buffer.
  const std::u16string inner(u"a\0b", 3);
  EXPECT_EQ(ToCString(inner).GetLength(), 3);
  EXPECT_EQ(ToU16(ToCString(inner)), inner);
  EXPECT_EQ(std::wstring(W(u"Port")), L"Port");
  EXPECT_EQ(ToU16(L"Port"), u"Port");
}

TEST(Utf16, ListInListOrder) {
  CStringList list;
  EXPECT_TRUE(ToU16List(list).empty());
  list.AddTail(L"LPT1:");
  list.AddTail(L"");
  list.AddHead(L"\\\\srv\\q");
  EXPECT_EQ(ToU16List(list), (std::vector<std::u16string>{u"\\\\srv\\q", u"LPT1:", u""}));
}

}  // namespace
