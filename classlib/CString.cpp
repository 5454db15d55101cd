#include "CString.h"

#include <cwchar>
#include <cwctype>
#include <vector>

wchar_t* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) {
    size_t old = s_.size();
    s_.resize(size_t(minLength));
    // Keep a terminator after the old text so ReleaseBuffer(-1) works untouched.
    if (old < s_.size()) s_[old] = L'\0';
  }
  return &s_[0];
}

wchar_t* CString::GetBufferSetLength(int length) {
  s_.resize(length > 0 ? size_t(length) : 0);
  return &s_[0];
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) {
    newLength = int(wcsnlen(s_.c_str(), s_.size()));
  }
  if (size_t(newLength) <= s_.size()) s_.resize(size_t(newLength));
}

int CString::CompareNoCase(const wchar_t* s) const {
  return lstrcmpiW(s_.c_str(), s ? s : L"");
}

CString CString::Mid(int first, int n) const {
  if (first < 0) first = 0;
  if (n <= 0 || first >= GetLength()) return CString();
  return CString(s_.substr(size_t(first), size_t(n)));
}

int CString::Find(wchar_t c, int start) const {
  if (start < 0) start = 0;
  auto p = s_.find(c, size_t(start));
  return p == std::wstring::npos ? -1 : int(p);
}

int CString::Find(const wchar_t* sub, int start) const {
  if (start < 0) start = 0;
  auto p = s_.find(sub ? sub : L"", size_t(start));
  return p == std::wstring::npos ? -1 : int(p);
}

int CString::Replace(const wchar_t* from, const wchar_t* to) {
  std::wstring f = from ? from : L"", t = to ? to : L"";
  if (f.empty()) return 0;
  int n = 0;
  for (size_t p = s_.find(f); p != std::wstring::npos; p = s_.find(f, p + t.size())) {
    s_.replace(p, f.size(), t);
    ++n;
  }
  return n;
}

int CString::Remove(wchar_t c) {
  size_t before = s_.size();
  std::wstring r;
  for (wchar_t x : s_)
    if (x != c) r += x;
  s_.swap(r);
  return int(before - s_.size());
}

CString& CString::MakeUpper() {
  if (!s_.empty()) CharUpperBuffW(&s_[0], DWORD(s_.size()));
  return *this;
}

CString& CString::MakeLower() {
  if (!s_.empty()) CharLowerBuffW(&s_[0], DWORD(s_.size()));
  return *this;
}

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < s_.size() && iswspace(s_[i])) ++i;
  s_.erase(0, i);
  return *this;
}

CString& CString::TrimRight() {
  size_t n = s_.size();
  while (n > 0 && iswspace(s_[n - 1])) --n;
  s_.resize(n);
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

void CString::Format(const wchar_t* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  FormatV(fmt, ap);
  va_end(ap);
}

// Formats with the Windows CRT's wide printf rules (%s is a wide string). The
// buffer doubles until the text fits.
void CString::FormatV(const wchar_t* fmt, va_list args) {
  std::vector<wchar_t> buf(256);
  for (;;) {
    va_list ap;
    va_copy(ap, args);
    int n = _vsnwprintf(buf.data(), buf.size(), fmt, ap);
    va_end(ap);
    if (n >= 0 && size_t(n) < buf.size()) {
      s_.assign(buf.data(), size_t(n));
      return;
    }
    if (buf.size() > (1u << 24)) { s_.clear(); return; }
    buf.resize(buf.size() * 2);
  }
}

CStringList& CStringList::operator=(const CStringList& o) {
  if (this != &o) {
    RemoveAll();
    for (Node* n = o.head_; n; n = n->next) AddTail(n->s);
  }
  return *this;
}

POSITION CStringList::AddTail(const CString& s) {
  Node* n = new Node{s, tail_, nullptr};
  if (tail_) tail_->next = n; else head_ = n;
  tail_ = n;
  ++count_;
  return n;
}

POSITION CStringList::AddHead(const CString& s) {
  Node* n = new Node{s, nullptr, head_};
  if (head_) head_->prev = n; else tail_ = n;
  head_ = n;
  ++count_;
  return n;
}

void CStringList::RemoveAll() {
  for (Node* n = head_; n;) {
    Node* next = n->next;
    delete n;
    n = next;
  }
  head_ = tail_ = nullptr;
  count_ = 0;
}

void CStringList::RemoveAt(POSITION pos) {
  Node* n = node(pos);
  if (n->prev) n->prev->next = n->next; else head_ = n->next;
  if (n->next) n->next->prev = n->prev; else tail_ = n->prev;
  delete n;
  --count_;
}

CString CStringList::RemoveHead() {
  CString s = head_->s;
  RemoveAt(head_);
  return s;
}

CString CStringList::RemoveTail() {
  CString s = tail_->s;
  RemoveAt(tail_);
  return s;
}

POSITION CStringList::InsertAfter(POSITION pos, const CString& s) {
  Node* at = node(pos);
  if (!at || at == tail_) return AddTail(s);
  Node* n = new Node{s, at, at->next};
  at->next->prev = n;
  at->next = n;
  ++count_;
  return n;
}

POSITION CStringList::InsertBefore(POSITION pos, const CString& s) {
  Node* at = node(pos);
  if (!at || at == head_) return AddHead(s);
  Node* n = new Node{s, at->prev, at};
  at->prev->next = n;
  at->prev = n;
  ++count_;
  return n;
}

POSITION CStringList::Find(const wchar_t* s, POSITION startAfter) const {
  for (Node* n = startAfter ? node(startAfter)->next : head_; n; n = n->next)
    if (n->s == s) return n;
  return nullptr;
}

POSITION CStringList::FindIndex(int index) const {
  if (index < 0) return nullptr;
  Node* n = head_;
  while (n && index-- > 0) n = n->next;
  return n;
}
