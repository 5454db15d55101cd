#include "XmlFuzz.h"

#include <utility>
#include <vector>

std::u16string XmlFuzzText(const uint8_t* data, size_t size) {
  std::u16string text;
  text.reserve(size);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF && i + 2 < size) {
      text += char16_t(data[i + 1] | (data[i + 2] << 8));
      i += 2;
    } else {
      text += char16_t(data[i]);
    }
  }
  return text;
}

std::string CheckDomTree(const DomNode* root) {
  if (!root) {
    return std::string();
  }
  if (root->parent) return "result has a parent";
  if (root->refCount != 1) return "result holds more than one reference";
  std::vector<std::pair<const DomNode*, int>> work{{root, 0}};
  while (!work.empty()) {
    const DomNode* n = work.back().first;
    const int depth = work.back().second;
    work.pop_back();
    if (depth > kMaxXmlDepth + 1) return "nested too deep";
    if (n->childCount != int32_t(n->children.size()) || n->textCount != int32_t(n->texts.size()) ||
        n->clearCount != int32_t(n->clearSections.size()) ||
        n->attributeCount != int32_t(n->attributes.size())) {
      return "count differs from its array";
    }
    if (n->order.size() != n->children.size() + n->texts.size() + n->clearSections.size()) {
      return "order array misses items";
    }
    size_t seen[4] = {0, 0, 0, 0};
    for (int32_t entry : n->order) {
      const int32_t kind = entry & 3;
      const size_t index = size_t(entry >> 2);
      if (kind == 1 || index != seen[kind]) return "order entry out of sequence";
      ++seen[kind];
    }
    for (const DomClearSection& c : n->clearSections) {
      if (!c.opening || !c.closing) return "clear section without its strings";
    }
    if (n != root && !n->name) return "element without name";
    for (const DomNode* child : n->children) {
      if (!child || child->parent != n) return "child does not link back";
      if (child->refCount != 1) return "child reference count";
      work.emplace_back(child, depth + 1);
    }
  }
  return std::string();
}

std::string FuzzXmlOnce(const std::u16string& text) {
  DomNode* root = ParseXml(text);
  std::string finding = CheckDomTree(root);
  // The queries of the print-server answers, on whatever came out.
  for (const char16_t* name : {u"queue", u"name", u"rip", u"communication", u"ripname"}) {
    const int32_t count = CountChildren(root, name);
    DomNode* child = GetChild(root, name, count > 0 ? count - 1 : 0);
    if ((count > 0) != (child != nullptr)) finding = "GetChild disagrees with CountChildren";
    if (child && child->textCount > 0 && child->texts[0].empty()) finding = "empty text stored";
    ReleaseDomNode(child);
  }
  ReleaseDomNode(root);
  return finding;
}
