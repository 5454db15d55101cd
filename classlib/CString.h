// CString and CStringList: the wide string and string list of our small class
// library (Windows builds only). Text is UTF-16 (wchar_t on Windows).
//
// CString has value semantics over std::wstring. GetBuffer/ReleaseBuffer follow the
// usual contract: GetBuffer(n) hands out room for at least n characters plus a
// terminator; ReleaseBuffer(-1) takes the length from the terminator.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <list>
#include <string>

class CString {
public:
  CString() = default;
  CString(const wchar_t* s) : s_(s ? s : L"") {}
  CString(const wchar_t* s, int n) : s_(s ? std::wstring(s, n > 0 ? size_t(n) : 0) : std::wstring()) {}
  CString(const std::wstring& s) : s_(s) {}
  CString(wchar_t c, int n = 1) : s_(n > 0 ? size_t(n) : 0, c) {}

  int GetLength() const { return int(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  operator const wchar_t*() const { return s_.c_str(); }
  const wchar_t* GetString() const { return s_.c_str(); }
  const std::wstring& str() const { return s_; }
  wchar_t GetAt(int i) const { return s_.at(size_t(i)); }
  wchar_t operator[](int i) const { return GetAt(i); }
  void SetAt(int i, wchar_t c) { s_.at(size_t(i)) = c; }

  wchar_t* GetBuffer(int minLength = 0);
  wchar_t* GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);

  CString& operator=(const wchar_t* s) { s_ = s ? s : L""; return *this; }
  CString& operator+=(const CString& o) { s_ += o.s_; return *this; }
  CString& operator+=(const wchar_t* s) { if (s) s_ += s; return *this; }
  CString& operator+=(wchar_t c) { s_ += c; return *this; }
  friend CString operator+(CString a, const CString& b) { a += b; return a; }
  friend CString operator+(CString a, const wchar_t* b) { a += b; return a; }
  friend CString operator+(const wchar_t* a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(CString a, wchar_t c) { a += c; return a; }

  friend bool operator==(const CString& a, const CString& b) { return a.s_ == b.s_; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.s_ == (b ? b : L""); }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.s_ < b.s_; }

  int Compare(const wchar_t* s) const { return s_.compare(s ? s : L""); }
  int CompareNoCase(const wchar_t* s) const;

  CString Left(int n) const { return s_.substr(0, clampLen(n)); }
  CString Right(int n) const { size_t k = clampLen(n); return s_.substr(s_.size() - k); }
  CString Mid(int first) const { return first >= GetLength() ? CString() : CString(s_.substr(size_t(first < 0 ? 0 : first))); }
  CString Mid(int first, int n) const;

  int Find(wchar_t c, int start = 0) const;
  int Find(const wchar_t* sub, int start = 0) const;
  int ReverseFind(wchar_t c) const { auto p = s_.rfind(c); return p == std::wstring::npos ? -1 : int(p); }
  int Replace(const wchar_t* from, const wchar_t* to);
  int Remove(wchar_t c);
  CString& MakeUpper();
  CString& MakeLower();
  CString& Trim();
  CString& TrimLeft();
  CString& TrimRight();

  void Format(const wchar_t* fmt, ...);
  void FormatV(const wchar_t* fmt, va_list args);

private:
  size_t clampLen(int n) const { return n <= 0 ? 0 : (size_t(n) > s_.size() ? s_.size() : size_t(n)); }
  std::wstring s_;
};

typedef void* POSITION;

// A list of strings with MFC-style positions. A POSITION is the address of a list
// node; it stays valid until that node is removed. Iterating with GetNext is O(1)
// per step.
class CStringList {
public:
  CStringList() = default;
  CStringList(const CStringList& o) { for (Node* n = o.head_; n; n = n->next) AddTail(n->s); }
  CStringList& operator=(const CStringList& o);
  ~CStringList() { RemoveAll(); }

  int GetCount() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }
  POSITION AddTail(const CString& s);
  POSITION AddHead(const CString& s);
  void RemoveAll();
  CString RemoveHead();
  CString RemoveTail();
  POSITION GetHeadPosition() const { return head_; }
  POSITION GetTailPosition() const { return tail_; }
  CString& GetHead() { return head_->s; }
  CString& GetTail() { return tail_->s; }
  const CString& GetHead() const { return head_->s; }
  const CString& GetTail() const { return tail_->s; }
  CString& GetNext(POSITION& pos) { Node* n = node(pos); pos = n->next; return n->s; }
  const CString& GetNext(POSITION& pos) const { Node* n = node(pos); pos = n->next; return n->s; }
  CString& GetPrev(POSITION& pos) { Node* n = node(pos); pos = n->prev; return n->s; }
  CString& GetAt(POSITION pos) { return node(pos)->s; }
  const CString& GetAt(POSITION pos) const { return node(pos)->s; }
  void SetAt(POSITION pos, const CString& s) { node(pos)->s = s; }
  void RemoveAt(POSITION pos);
  POSITION InsertAfter(POSITION pos, const CString& s);
  POSITION InsertBefore(POSITION pos, const CString& s);
  // Exact, case-sensitive search, from the element after startAfter (or the head).
  POSITION Find(const wchar_t* s, POSITION startAfter = nullptr) const;
  POSITION FindIndex(int index) const;

private:
  struct Node {
    CString s;
    Node* prev;
    Node* next;
  };
  static Node* node(POSITION p) { return static_cast<Node*>(p); }
  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  int count_ = 0;
};
