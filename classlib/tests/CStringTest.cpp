#include "CString.h"

#include <gtest/gtest.h>

TEST(CString, BufferRoundTrip) {
  CString s;
  wchar_t* p = s.GetBuffer(10);
  wcscpy(p, L"abc");
  s.ReleaseBuffer();
  EXPECT_EQ(3, s.GetLength());
  EXPECT_TRUE(s == L"abc");
  s.Format(L"%s-%lu", L"x", 42ul);
  EXPECT_TRUE(s == L"x-42");
}

TEST(CString, Pieces) {
  CString s(L"  Hello World ");
  s.Trim();
  EXPECT_TRUE(s == L"Hello World");
  EXPECT_TRUE(s.Left(5) == L"Hello");
  EXPECT_TRUE(s.Right(5) == L"World");
  EXPECT_TRUE(s.Mid(6, 100) == L"World");
  EXPECT_TRUE(s.Mid(60) == L"");
  EXPECT_EQ(6, s.Find(L"Wor"));
  EXPECT_EQ(-1, s.Find(L'z'));
  EXPECT_EQ(0, s.CompareNoCase(L"hello world"));
}

TEST(CStringList, PositionsSurviveRemovalOfOthers) {
  CStringList l;
  POSITION a = l.AddTail(L"a");
  POSITION b = l.AddTail(L"b");
  l.AddTail(L"c");
  l.RemoveAt(a);
  EXPECT_EQ(2, l.GetCount());
  EXPECT_TRUE(l.GetAt(b) == L"b");
  l.InsertAfter(b, L"b2");
  CString joined;
  for (POSITION p = l.GetHeadPosition(); p;) joined += l.GetNext(p);
  EXPECT_TRUE(joined == L"bb2c");
  EXPECT_EQ(l.FindIndex(2), l.Find(L"c"));
  CStringList copy = l;
  l.RemoveAll();
  EXPECT_EQ(3, copy.GetCount());
}
