// A small, forgiving XML reader for the bodies of print-server answers. It turns
// UTF-16 text into a tree of reference-counted nodes: elements, attributes, texts
// and verbatim ("clear") sections, with the five predefined entities and numeric
// character references decoded. Missing end tags are tolerated; there are no
// namespaces, no validation and no DTD processing.
//
// Node references are counted handles; the null pointer is the empty node, on
// which every query answers 0 or the empty node again. Every operation that hands
// out a node adds one reference, which the receiver drops with ReleaseDomNode.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A verbatim section: content between an opening such as "<![CDATA[" and its
// closing. opening and closing point at fixed strings and are not owned.
struct DomClearSection {
  std::u16string content;
  const char16_t* opening;
  const char16_t* closing;
};

struct DomAttribute {
  std::u16string name;                  // as written
  std::optional<std::u16string> value;  // entity-decoded; absent without "="
};

// Kinds of the entries of DomNode::order (entry = index * 4 + kind).
constexpr int32_t kDomOrderChild = 0;
constexpr int32_t kDomOrderText = 2;
constexpr int32_t kDomOrderClear = 3;

struct DomNode {
  DomNode() = default;
  DomNode(const DomNode&) = delete;
  DomNode& operator=(const DomNode&) = delete;

  std::optional<std::u16string> name;  // as written; absent only for a nameless top node
  int32_t childCount = 0;
  int32_t textCount = 0;
  int32_t clearCount = 0;
  int32_t attributeCount = 0;
  bool declaration = false;  // opened with "<?"
  DomNode* parent = nullptr; // not owned; absent for a top node
  std::vector<DomNode*> children;  // each entry holds one reference
  std::vector<std::u16string> texts;  // character data, one entry per run
  std::vector<DomClearSection> clearSections;
  std::vector<DomAttribute> attributes;  // in document order, duplicates kept
  std::vector<int32_t> order;  // document order of children, texts and clear sections
  int32_t refCount = 1;
};

// Error codes of a parse. Every code but kXmlOk and kXmlUnclosed gives the empty node.
enum XmlError : int32_t {
  kXmlOk = 0,
  kXmlUnclosed = 1,       // an element closed by another end tag or by the end of input
  kXmlNoTagName = 4,      // "<" or "<?" not followed by a name
  kXmlBadEndTag = 5,      // "</" not followed by a name and ">"
  kXmlStrayEndTag = 7,    // an end tag that matches no open element
  kXmlUnclosedClear = 8,  // a clear section without its closing string
  kXmlBadTag = 9,         // an unexpected token inside a tag
  kXmlBadReference = 14,  // an unknown entity, a bare "&", a bad character reference
  kXmlTooDeep = 15,       // elements nested deeper than kMaxXmlDepth
};

// Deepest nesting of elements a document may have.
constexpr int kMaxXmlDepth = 256;

// Parses a document (zero-terminated; null gives the empty node). The result is
// the document's single top-level element, or a nameless node holding whatever
// stands at the top level (also for an empty document), or the empty node when the
// document cannot be read.
DomNode* ParseXml(const char16_t* text);
// The same for text that ends at its end or at its first zero character.
DomNode* ParseXml(std::u16string_view text);
// The same, and the parse's error code (kXmlOk when text is absent).
DomNode* ParseXml(std::u16string_view text, XmlError* error);

// Child elements whose name equals name, ignoring the case of A to Z.
int32_t CountChildren(const DomNode* node, std::u16string_view name);
// The index-th such child (from 0), with one reference added; the empty node when
// there are not that many.
DomNode* GetChild(DomNode* node, std::u16string_view name, int32_t index);
// Drops one reference and empties the caller's handle; at 0 the node and every
// child no longer referenced elsewhere are freed (a child still referenced
// survives as a top node).
void ReleaseDomNode(DomNode*& node);
