#include "DomNode.h"

#include <cstddef>

namespace {

// Verbatim sections, tested in this order. The opening is matched ignoring case,
// the closing searched for exactly as written.
struct ClearKind {
  const char16_t* opening;
  size_t openingLength;
  const char16_t* closing;
  size_t closingLength;
};
const ClearKind kClearKinds[] = {
    {u"<![CDATA[", 9, u"]]>", 3},
    {u"<PRE>", 5, u"</PRE>", 6},
    {u"<Script>", 8, u"</Script>", 9},
    {u"<!--", 4, u"-->", 3},
    {u"<!DOCTYPE", 9, u">", 1},
};

struct Entity {
  const char16_t* name;  // from "&" to ";"
  size_t length;
  char16_t value;
};
const Entity kEntities[] = {
    {u"&amp;", 5, u'&'}, {u"&lt;", 4, u'<'}, {u"&gt;", 4, u'>'},
    {u"&quot;", 6, u'"'}, {u"&apos;", 6, u'\''},
};

enum TokenKind {
  kWord = 0,
  kQuotedWord = 1,
  kTagOpen = 2,
  kEndTagOpen = 3,
  kTagClose = 4,
  kEquals = 5,
  kDeclarationOpen = 6,
  kEmptyElementClose = 7,
  kClearStart = 8,
  kEndOfInput = 9,
};

struct XmlToken {
  TokenKind kind;
  size_t start;
  size_t length;
  int clearKind;  // index into kClearKinds for kClearStart
};

struct XmlParseState {
  const char16_t* text;
  size_t length;  // the input ends here; At() answers 0 from here on
  size_t index = 0;
  XmlError error = kXmlOk;
  size_t carriedStart = 0;  // end-tag name carried upward, length 0 when none
  size_t carriedLength = 0;
  bool firstCall = true;  // the top node's call starts in the content phase
  int depth = 0;          // elements open below the top node
};

char16_t At(const XmlParseState& s, size_t i) { return i < s.length ? s.text[i] : u'\0'; }

bool IsWhite(char16_t c) { return c == 9 || c == 10 || c == 13 || c == 32; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

bool EqualNoCase(char16_t a, char16_t b) { return Lower(a) == Lower(b); }

// Whether the input at i begins with s (ignoring case); stops at the input's end.
bool StartsWithNoCase(const XmlParseState& st, size_t i, const char16_t* s, size_t n) {
  if (i > st.length || st.length - i < n) {
    return false;
  }
  for (size_t k = 0; k < n; ++k) {
    if (!EqualNoCase(st.text[i + k], s[k])) {
      return false;
    }
  }
  return true;
}

std::u16string_view Slice(const XmlParseState& s, size_t start, size_t length) {
  return std::u16string_view(s.text + start, length);
}

XmlToken NextXmlToken(XmlParseState& s) {
  while (IsWhite(At(s, s.index))) {
    ++s.index;
  }
  const size_t i = s.index;
  const char16_t c = At(s, i);
  if (c == u'\0') {
    return {kEndOfInput, i, 0, -1};
  }
  for (int k = 0; k < int(sizeof kClearKinds / sizeof kClearKinds[0]); ++k) {
    if (StartsWithNoCase(s, i, kClearKinds[k].opening, kClearKinds[k].openingLength)) {
      s.index = i + kClearKinds[k].openingLength;
      return {kClearStart, i, kClearKinds[k].openingLength, k};
    }
  }
  auto fixed = [&](TokenKind kind, size_t length) {
    s.index = i + length;
    return XmlToken{kind, i, length, -1};
  };
  switch (c) {
    case u'<':
      if (At(s, i + 1) == u'/') return fixed(kEndTagOpen, 2);
      if (At(s, i + 1) == u'?') return fixed(kDeclarationOpen, 2);
      return fixed(kTagOpen, 1);
    case u'>':
      return fixed(kTagClose, 1);
    case u'=':
      return fixed(kEquals, 1);
    case u'/':
      if (At(s, i + 1) == u'>') return fixed(kEmptyElementClose, 2);
      break;  // a word that begins with "/"
    case u'"':
    case u'\'': {
      // Quoted only when the partner comes before any "<" and before the end.
      size_t j = i + 1;
      while (At(s, j) != u'\0' && At(s, j) != u'<' && At(s, j) != c) {
        ++j;
      }
      if (At(s, j) == c) return fixed(kQuotedWord, j - i + 1);
      break;  // a word that begins with the quote
    }
    default:
      break;
  }
  size_t j = i + 1;
  bool white = false;
  for (;; ++j) {
    const char16_t ch = At(s, j);
    if (ch == u'\0' || ch == u'<' || ch == u'>' || ch == u'=') break;
    if (ch == u'/' && At(s, j + 1) == u'>') break;
    if (IsWhite(ch)) {
      white = true;
      break;
    }
  }
  s.index = j + (white ? 1 : 0);  // one white space after a word is consumed
  return {kWord, i, j - i, -1};
}

void AppendCodePoint(std::u16string& out, uint32_t v) {
  if (v > 0xFFFF) {
    v -= 0x10000;
    out += char16_t(0xD800 + (v >> 10));
    out += char16_t(0xDC00 + (v & 0x3FF));
  } else {
    out += char16_t(v);
  }
}

int DigitValue(char16_t c, bool hex) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (hex && c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (hex && c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Decodes the five entities and numeric character references of n characters at
// start. A character reference must name a character from 1 to 0x10FFFF.
bool DecodeXmlEntities(size_t n, size_t start, XmlParseState& s, std::u16string& out) {
  out.clear();
  out.reserve(n);
  const std::u16string_view in = Slice(s, start, n);
  size_t i = 0;
  while (i < n && in[i] != u'\0') {
    if (in[i] != u'&') {
      out += in[i++];
      continue;
    }
    if (n - i > 2 && in[i + 1] == u'#') {
      size_t j = i + 2;
      const bool hex = j < n && (in[j] == u'x' || in[j] == u'X');
      if (hex) ++j;
      uint32_t value = 0;
      for (; j < n && in[j] != u';'; ++j) {
        const int d = DigitValue(in[j], hex);
        if (d < 0) {
          s.error = kXmlBadReference;
          return false;
        }
        if (value <= 0x10FFFF) {  // beyond that it is an error anyway; no overflow
          value = value * (hex ? 16 : 10) + uint32_t(d);
        }
      }
      if (j >= n || value == 0 || value > 0x10FFFF) {
        s.error = kXmlBadReference;
        return false;
      }
      AppendCodePoint(out, value);
      i = j + 1;
      continue;
    }
    bool matched = false;
    for (const Entity& e : kEntities) {
      if (n - i >= e.length) {
        bool same = true;
        for (size_t k = 0; k < e.length && same; ++k) same = EqualNoCase(in[i + k], e.name[k]);
        if (same) {
          out += e.value;
          i += e.length;
          matched = true;
          break;
        }
      }
    }
    if (!matched) {
      s.error = kXmlBadReference;
      return false;
    }
  }
  return true;
}

void AddOrder(DomNode* node, size_t index, int32_t kind) {
  node->order.push_back(int32_t(index) * 4 + kind);
}

void AddAttribute(DomNode* node, std::u16string name, std::optional<std::u16string> value) {
  node->attributes.push_back(DomAttribute{std::move(name), std::move(value)});
  node->attributeCount = int32_t(node->attributes.size());
}

void AddChild(DomNode* node, DomNode* child) {
  AddOrder(node, node->children.size(), kDomOrderChild);
  node->children.push_back(child);
  node->childCount = int32_t(node->children.size());
}

void AddText(DomNode* node, std::u16string text) {
  AddOrder(node, node->texts.size(), kDomOrderText);
  node->texts.push_back(std::move(text));
  node->textCount = int32_t(node->texts.size());
}

void AddClear(DomNode* node, std::u16string content, const ClearKind& kind) {
  AddOrder(node, node->clearSections.size(), kDomOrderClear);
  node->clearSections.push_back(DomClearSection{std::move(content), kind.opening, kind.closing});
  node->clearCount = int32_t(node->clearSections.size());
}

// An element that has ended keeps its arrays at their exact size.
void CutToSize(DomNode* node) {
  node->children.shrink_to_fit();
  node->texts.shrink_to_fit();
  node->clearSections.shrink_to_fit();
  node->attributes.shrink_to_fit();
  node->order.shrink_to_fit();
}

// The run of text from start up to end (the start of the token that ended it),
// without its trailing white space; entity-decoded unless a clear section ends it.
bool FlushRun(DomNode* node, size_t start, size_t end, XmlParseState& s, bool decode) {
  while (end > start && IsWhite(s.text[end - 1])) {
    --end;
  }
  if (!decode) {
    AddText(node, std::u16string(Slice(s, start, end - start)));
    return true;
  }
  std::u16string text;
  if (!DecodeXmlEntities(end - start, start, s, text)) {
    return false;
  }
  AddText(node, std::move(text));
  return true;
}

// The element's name against the input at i, over the name's length, followed by
// white space, "/", "<", ">" or "=" (or the end); a nameless element never matches.
bool NameMatchesAt(const DomNode* node, size_t i, const XmlParseState& s) {
  if (!node->name) {
    return false;
  }
  const std::u16string& name = *node->name;
  if (!StartsWithNoCase(s, i, name.data(), name.size())) {
    return false;
  }
  const char16_t next = At(s, i + name.size());
  return next == u'\0' || IsWhite(next) || next == u'/' || next == u'<' || next == u'>' ||
         next == u'=';
}

// Parses one element: its tag, then its content. 1: the element ended normally
// (its own or a carried end tag, or "/>"); 0: the parse must stop (end of input or
// an error).
int ParseXmlElement(DomNode* node, XmlParseState& s) {
  const bool startInContent = s.firstCall;
  s.firstCall = false;
  if (!startInContent) {
    enum { kExpectName, kHaveName, kHaveEquals } sub = kExpectName;
    std::u16string pending;
    bool inTag = true;
    while (inTag) {
      const XmlToken t = NextXmlToken(s);
      switch (sub) {
        case kExpectName:
          if (t.kind == kWord) {
            pending = std::u16string(Slice(s, t.start, t.length));
            sub = kHaveName;
          } else if (t.kind == kTagClose) {
            inTag = false;
          } else if (t.kind == kEmptyElementClose) {
            CutToSize(node);
            return 1;
          } else {
            s.error = kXmlBadTag;
            return 0;
          }
          break;
        case kHaveName:
          if (t.kind == kWord) {
            AddAttribute(node, std::move(pending), std::nullopt);
            pending = std::u16string(Slice(s, t.start, t.length));
          } else if (t.kind == kTagClose || t.kind == kEmptyElementClose) {
            if (node->declaration && !pending.empty() && pending.back() == u'?') {
              pending.pop_back();
            }
            if (!pending.empty()) {
              AddAttribute(node, std::move(pending), std::nullopt);
            }
            if (t.kind == kEmptyElementClose) {
              CutToSize(node);
              return 1;
            }
            inTag = false;
          } else if (t.kind == kEquals) {
            sub = kHaveEquals;
          } else {
            s.error = kXmlBadTag;
            return 0;
          }
          break;
        case kHaveEquals: {
          if (t.kind != kWord && t.kind != kQuotedWord) {
            s.error = kXmlBadTag;
            return 0;
          }
          size_t start = t.start, length = t.length;
          if (node->declaration && At(s, start + length - 1) == u'?') {
            --length;
          }
          if (t.kind == kQuotedWord && length >= 2) {
            ++start;
            length -= 2;
          }
          std::u16string value;
          if (!DecodeXmlEntities(length, start, s, value)) {
            return 0;
          }
          AddAttribute(node, std::move(pending), std::move(value));
          pending.clear();
          sub = kExpectName;
          break;
        }
      }
    }
  }

  bool runOpen = false;
  size_t runStart = 0;
  for (;;) {
    const XmlToken t = NextXmlToken(s);
    switch (t.kind) {
      case kWord:
      case kQuotedWord:
      case kTagClose:
      case kEquals:
      case kEmptyElementClose:
        if (!runOpen) {
          runOpen = true;
          runStart = t.start;
        }
        break;
      case kTagOpen:
      case kDeclarationOpen: {
        if (runOpen && !FlushRun(node, runStart, t.start, s, true)) {
          return 0;
        }
        runOpen = false;
        const XmlToken name = NextXmlToken(s);
        if (name.kind != kWord) {
          s.error = kXmlNoTagName;
          return 0;
        }
        if (s.depth >= kMaxXmlDepth) {
          s.error = kXmlTooDeep;
          return 0;
        }
        DomNode* child = new DomNode;
        child->name = std::u16string(Slice(s, name.start, name.length));
        child->declaration = t.kind == kDeclarationOpen;
        child->parent = node;
        AddChild(node, child);
        ++s.depth;
        const int result = ParseXmlElement(child, s);
        --s.depth;
        if (result == 0) {
          return 0;
        }
        if (s.carriedLength == 0) {
          break;
        }
        if (!node->name) {
          s.error = kXmlStrayEndTag;
          return 0;
        }
        if (NameMatchesAt(node, s.carriedStart, s)) {
          s.carriedLength = 0;  // the carried end tag was this element's own
        }
        CutToSize(node);
        return 1;
      }
      case kEndTagOpen: {
        if (runOpen && !FlushRun(node, runStart, t.start, s, true)) {
          return 0;
        }
        runOpen = false;
        const XmlToken word = NextXmlToken(s);
        if (word.kind != kWord) {
          s.error = kXmlBadEndTag;
          return 0;
        }
        if (NextXmlToken(s).kind != kTagClose) {
          s.error = kXmlBadEndTag;
          return 0;
        }
        if (!NameMatchesAt(node, word.start, s)) {
          s.error = kXmlUnclosed;
          s.carriedStart = word.start;
          s.carriedLength = word.length;
        }
        CutToSize(node);
        return 1;
      }
      case kClearStart: {
        if (runOpen) {
          FlushRun(node, runStart, t.start, s, false);
        }
        runOpen = false;
        const ClearKind& kind = kClearKinds[t.clearKind];
        const size_t end =
            Slice(s, s.index, s.length - s.index).find(std::u16string_view(kind.closing, kind.closingLength));
        if (end == std::u16string_view::npos) {
          s.error = kXmlUnclosedClear;
          return 0;
        }
        AddClear(node, std::u16string(Slice(s, s.index, end)), kind);
        s.index += end + kind.closingLength;
        break;
      }
      case kEndOfInput:
        // An open run is discarded.
        if (!node->declaration && node->parent) {
          s.error = kXmlUnclosed;
        }
        return 0;
    }
  }
}

bool SameNameNoCase(const std::optional<std::u16string>& a, std::u16string_view b) {
  if (!a || a->size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < b.size(); ++i) {
    if (!EqualNoCase((*a)[i], b[i])) return false;
  }
  return true;
}

}  // namespace

DomNode* ParseXml(const char16_t* text) {
  return text ? ParseXml(std::u16string_view(text), nullptr) : nullptr;
}

DomNode* ParseXml(std::u16string_view text) { return ParseXml(text, nullptr); }

DomNode* ParseXml(std::u16string_view text, XmlError* error) {
  const size_t zero = text.find(u'\0');
  XmlParseState s;
  s.text = text.data();
  s.length = zero == std::u16string_view::npos ? text.size() : zero;
  DomNode* top = new DomNode;
  ParseXmlElement(top, s);
  if (error) {
    *error = s.error;
  }
  if (s.error != kXmlOk && s.error != kXmlUnclosed) {
    ReleaseDomNode(top);
    return nullptr;
  }
  if (top->order.size() == 1 && top->children.size() == 1 && top->attributes.empty()) {
    DomNode* child = top->children[0];
    ++child->refCount;
    ReleaseDomNode(top);  // clears the child's parent link
    return child;
  }
  return top;
}

int32_t CountChildren(const DomNode* node, std::u16string_view name) {
  if (!node) {
    return 0;
  }
  int32_t count = 0;
  for (const DomNode* child : node->children) {
    if (SameNameNoCase(child->name, name)) ++count;
  }
  return count;
}

DomNode* GetChild(DomNode* node, std::u16string_view name, int32_t index) {
  if (!node || index < 0) {
    return nullptr;
  }
  for (DomNode* child : node->children) {
    if (SameNameNoCase(child->name, name) && index-- == 0) {
      ++child->refCount;
      return child;
    }
  }
  return nullptr;
}

void ReleaseDomNode(DomNode*& node) {
  DomNode* n = node;
  node = nullptr;
  if (!n || --n->refCount > 0) {
    return;
  }
  // Freed with a work list, so a deep tree needs no deep recursion.
  std::vector<DomNode*> doomed{n};
  while (!doomed.empty()) {
    DomNode* d = doomed.back();
    doomed.pop_back();
    for (DomNode* child : d->children) {
      child->parent = nullptr;
      if (--child->refCount == 0) {
        doomed.push_back(child);
      }
    }
    delete d;
  }
}
