// Reading the queue list and the server's own name from the XML of an answer.
#include <string_view>
#include <unordered_set>

#include "DomNode.h"
#include "Query.h"

namespace {

char16_t FoldAsciiCase(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

// Element names compare without regard to the case of A to Z, as the reader's own
// child look-ups do.
bool NameIs(const DomNode* node, std::u16string_view wanted) {
  if (!node || !node->name || node->name->size() != wanted.size()) return false;
  for (size_t i = 0; i < wanted.size(); ++i)
    if (FoldAsciiCase((*node->name)[i]) != FoldAsciiCase(wanted[i])) return false;
  return true;
}

std::u16string FirstText(const DomNode* node) {
  return node->texts.empty() ? std::u16string() : node->texts[0];
}

// Holds the tree of one answer until the end of the scope.
class ParsedBody {
public:
  explicit ParsedBody(const std::u16string& body) : root_(ParseXml(std::u16string_view(body))) {}
  ~ParsedBody() { ReleaseDomNode(root_); }
  ParsedBody(const ParsedBody&) = delete;
  ParsedBody& operator=(const ParsedBody&) = delete;
  // The top element when its name is exactly topName (same case).
  const DomNode* Top(const char16_t* topName) const {
    return root_ && root_->name && *root_->name == topName ? root_ : nullptr;
  }

private:
  DomNode* root_;
};

}  // namespace

// The children are walked in place: fetching the i-th child by name for every i
// would make a long list quadratic.
void AddQueueNames(const std::u16string& body, PrintServer& record) {
  ParsedBody parsed(body);
  const DomNode* queues = parsed.Top(u"queues");
  if (!queues) return;
  std::unordered_set<std::u16string> listed(record.queueNames.begin(), record.queueNames.end());
  for (const DomNode* queue : queues->children) {
    if (!NameIs(queue, u"queue")) continue;
    for (const DomNode* name : queue->children) {
      if (!NameIs(name, u"name")) continue;
      std::u16string text = FirstText(name);
      if (IsUsableQueueName(text) && listed.insert(text).second)
        record.queueNames.push_back(std::move(text));
    }
  }
}

bool FindRipName(const std::u16string& body, std::u16string* ripName) {
  ParsedBody parsed(body);
  const DomNode* rip = parsed.Top(u"rip");
  if (!rip) return false;
  for (const DomNode* communication : rip->children) {
    if (!NameIs(communication, u"communication")) continue;
    for (const DomNode* child : communication->children) {
      if (NameIs(child, u"ripname")) {
        if (ripName) *ripName = FirstText(child);
        return true;
      }
    }
  }
  return false;
}
