#include <gtest/gtest.h>

#include <string>

#include "DomNode.h"
#include "XmlFuzz.h"

namespace {

std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) {
    if (c >= 0x20 && c < 0x7F) {
      out += char(c);
    } else {
      char hex[12];
      snprintf(hex, sizeof hex, "\\u%04X", unsigned(c));
      out += hex;
    }
  }
  return out;
}

char ClearLetter(const DomClearSection& c) {
  const std::u16string opening = c.opening;
  if (opening == u"<![CDATA[") return 'C';
  if (opening == u"<PRE>") return 'P';
  if (opening == u"<Script>") return 'S';
  if (opening == u"<!--") return '!';
  if (opening == u"<!DOCTYPE") return 'D';
  return '?';
}

// A compact picture of a tree: name ("~" for the nameless top node), "?" for a
// declaration, [attributes], then (items in document order): elements, "texts"
// and clear sections as letter{content}.
std::string Show(const DomNode* n) {
  if (!n) return "null";
  std::string out = n->name ? Narrow(*n->name) : "~";
  if (n->declaration) out += "?";
  if (!n->attributes.empty()) {
    out += "[";
    for (size_t i = 0; i < n->attributes.size(); ++i) {
      if (i) out += " ";
      out += Narrow(n->attributes[i].name);
      if (n->attributes[i].value) out += "=" + Narrow(*n->attributes[i].value);
    }
    out += "]";
  }
  if (!n->order.empty()) {
    out += "(";
    for (size_t i = 0; i < n->order.size(); ++i) {
      if (i) out += " ";
      const size_t index = size_t(n->order[i] >> 2);
      switch (n->order[i] & 3) {
        case kDomOrderChild: out += Show(n->children[index]); break;
        case kDomOrderText: out += "\"" + Narrow(n->texts[index]) + "\""; break;
        case kDomOrderClear:
          out += ClearLetter(n->clearSections[index]);
          out += "{" + Narrow(n->clearSections[index].content) + "}";
          break;
      }
    }
    out += ")";
  }
  return out;
}

std::u16string Nested(int depth) {
  std::u16string doc;
  for (int i = 0; i < depth; ++i) doc += u"<e>";
  for (int i = 0; i < depth; ++i) doc += u"</e>";
  return doc;
}

struct DocCase {
  const char* what;
  std::u16string doc;
  XmlError error;
  std::string tree;
};

TEST(ParseXml, Documents) {
  const std::string e256 = [] {
    std::string s;
    for (int i = 0; i < 255; ++i) s += "e(";
    s += "e";
    for (int i = 0; i < 255; ++i) s += ")";
    return s;
  }();
  const DocCase cases[] = {
      {"queue list", u"<queues><queue><name>Hold</name></queue></queues>", kXmlOk,
       "queues(queue(name(\"Hold\")))"},
      {"ripname", u"<rip>\r\n <communication>\r\n  <ripname>RIP 7</ripname>\r\n </communication>\r\n</rip>\r\n",
       kXmlOk, "rip(communication(ripname(\"RIP 7\")))"},
      {"declaration holds what follows",
       u"<?xml version=\"1.0\"?>\n<queues><queue><name>Hold</name></queue></queues>", kXmlOk,
       "xml?[version=1.0](queues(queue(name(\"Hold\"))))"},
      {"declaration without quotes", u"<?xml version=1.0 standalone?>", kXmlOk,
       "xml?[version=1.0 standalone]"},
      {"white space of runs", u"<a>  one  two\r\n three \t\n</a>", kXmlOk, "a(\"one  two\\u000D\\u000A three\")"},
      {"stray > = /> in text", u"<a>1 > 0 = x /> y</a>", kXmlOk, "a(\"1 > 0 = x /> y\")"},
      {"mixed content", u"<a>x<b/>y<c></c></a>", kXmlOk, "a(\"x\" b \"y\" c)"},
      {"end tag ignores case", u"<Queue>x</QUEUE >", kXmlOk, "Queue(\"x\")"},
      {"inner end tag missing", u"<a><b></a>", kXmlUnclosed, "a(b)"},
      {"inner end tag missing, text kept", u"<a><b>t</a><c/>", kXmlUnclosed, "~(a(b(\"t\")) c)"},
      {"end tag of no open element", u"<a></b>", kXmlStrayEndTag, "null"},
      {"end of input closes", u"<a>text", kXmlUnclosed, "a"},
      {"end of input closes nested", u"<a><b>x</b><c>text", kXmlUnclosed, "a(b(\"x\") c)"},
      {"stray end tag at the top", u"</a><b/>", kXmlUnclosed, "~"},
      {"entities in capitals", u"<a>&AMP;&Lt;&gT;&QUOT;&apos;</a>", kXmlOk, "a(\"&<>\"'\")"},
      {"decimal and hexadecimal", u"<a>&#65;&#x41;&#X41;&#x6a;</a>", kXmlOk, "a(\"AAAj\")"},
      {"reference above 0xFFFF", u"<a>&#x1F5A8;&#1114111;</a>", kXmlOk, "a(\"\\uD83D\\uDDA8\\uDBFF\\uDFFF\")"},
      {"bare ampersand", u"<rip><ripname>Smith & Sons</ripname></rip>", kXmlBadReference, "null"},
      {"entity not in the table", u"<a>&nbsp;</a>", kXmlBadReference, "null"},
      {"entity cut by the end of the run", u"<a>&am</a>", kXmlBadReference, "null"},
      {"reference of zero", u"<a>&#0;</a>", kXmlBadReference, "null"},
      {"reference without digits", u"<a>&#;</a>", kXmlBadReference, "null"},
      {"hexadecimal without digits", u"<a>&#x;</a>", kXmlBadReference, "null"},
      {"reference above 0x10FFFF", u"<a>&#x110000;</a>", kXmlBadReference, "null"},
      {"reference that would overflow", u"<a>&#99999999999999999999999;</a>", kXmlBadReference, "null"},
      {"hexadecimal that would overflow", u"<a>&#xFFFFFFFFFFFFFFFF41;</a>", kXmlBadReference, "null"},
      {"reference without ;", u"<a>&#65</a>", kXmlBadReference, "null"},
      {"non-digit in a reference", u"<a>&#6a;</a>", kXmlBadReference, "null"},
      {"ampersand and # at the run's end", u"<a>x &#</a>", kXmlBadReference, "null"},
      {"text before a comment stays undecoded", u"<a>x &amp; y<!-- c &amp; d --></a>", kXmlOk,
       "a(\"x &amp; y\" !{ c &amp; d })"},
      {"CDATA", u"<a><![CDATA[<b>&</b>]]>tail &lt;</a>", kXmlOk, "a(C{<b>&</b>} \"tail <\")"},
      {"empty CDATA", u"<a><![cdata[]]></a>", kXmlOk, "a(C{})"},
      {"script in lower case", u"<script>x</script>", kXmlUnclosedClear, "null"},
      {"script as written", u"<a><script>if (a<b) x();</Script></a>", kXmlOk, "a(S{if (a<b) x();})"},
      {"PRE and DOCTYPE at the top", u"<!DOCTYPE html><PRE> x </PRE>", kXmlOk, "~(D{ html} P{ x })"},
      {"comment without closing", u"<a><!-- never closed</a>", kXmlUnclosedClear, "null"},
      {"empty document", u"", kXmlOk, "~"},
      {"white space only", u" \t\r\n ", kXmlOk, "~"},
      {"two top elements", u"<a/><b/>", kXmlOk, "~(a b)"},
      {"text at the top", u"hello <a/>", kXmlOk, "~(\"hello\" a)"},
      {"attributes", u"<a b c=d e=\"f g\" h='i' b=2/>", kXmlOk, "a[b c=d e=f g h=i b=2]"},
      {"attribute values decoded", u"<a t=\"x &amp; y\" u='&#65;'/>", kXmlOk, "a[t=x & y u=A]"},
      {"bad entity in an attribute", u"<a t=\"&x;\"/>", kXmlBadReference, "null"},
      {"= before the tag close", u"<a b=>", kXmlBadTag, "null"},
      {"quoted attribute name", u"<a \"b\"/>", kXmlBadTag, "null"},
      {"quote without partner before <", u"<a>\"x<y\"</a>", kXmlBadTag, "null"},
      {"quoted text", u"<a>say \"hi > there\"</a>", kXmlOk, "a(\"say \"hi > there\"\")"},
      {"white space before the name", u"<a>< b/></a>", kXmlOk, "a(b)"},
      {"name cut by <", u"<a><b</a>", kXmlBadTag, "null"},
      {"< at the end", u"<a><", kXmlNoTagName, "null"},
      {"<? without name", u"<a><?>", kXmlNoTagName, "null"},
      {"</ at the end", u"<a></", kXmlBadEndTag, "null"},
      {"end tag without >", u"<a></a", kXmlBadEndTag, "null"},
      {"end tag with two words", u"<a></a b>", kXmlBadEndTag, "null"},
      {"zero ends the input", std::u16string(u"<a/>\0<b/>", 9), kXmlOk, "a"},
      {"256 levels", Nested(256), kXmlOk, e256},
      {"257 levels", Nested(257), kXmlTooDeep, "null"},
      {"deep declarations", [] { std::u16string d; for (int i = 0; i < 300; ++i) d += u"<?e>"; return d; }(),
       kXmlTooDeep, "null"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    XmlError error = XmlError(-1);
    DomNode* root = ParseXml(c.doc, &error);
    EXPECT_EQ(c.error, error);
    EXPECT_EQ(c.tree, Show(root));
    EXPECT_EQ("", CheckDomTree(root));
    ReleaseDomNode(root);
  }
}

TEST(ParseXml, AbsentTextAndDeepOpenElements) {
  EXPECT_EQ(nullptr, ParseXml(static_cast<const char16_t*>(nullptr)));
  std::u16string deep;
  for (int i = 0; i < 200000; ++i) deep += u"<e>";
  XmlError error = kXmlOk;
  EXPECT_EQ(nullptr, ParseXml(deep, &error));
  EXPECT_EQ(kXmlTooDeep, error);
}

TEST(DomNode, QueriesOfTheQueueList) {
  DomNode* root = ParseXml(
      u"<queues><queue><name>Hold</name></queue><QUEUE><name>Normal</name></QUEUE>"
      u"<other/><queue><name/></queue></queues>");
  ASSERT_NE(nullptr, root);
  EXPECT_EQ(3, CountChildren(root, u"queue"));
  EXPECT_EQ(1, CountChildren(root, u"Other"));
  EXPECT_EQ(0, CountChildren(root, u"queu"));
  DomNode* second = GetChild(root, u"Queue", 1);
  ASSERT_NE(nullptr, second);
  DomNode* name = GetChild(second, u"name", 0);
  ASSERT_NE(nullptr, name);
  ASSERT_EQ(1, name->textCount);
  EXPECT_EQ(u"Normal", name->texts[0]);
  EXPECT_EQ(nullptr, GetChild(root, u"queue", 3));
  EXPECT_EQ(nullptr, GetChild(root, u"queue", -1));
  DomNode* third = GetChild(root, u"queue", 2);
  DomNode* empty = GetChild(third, u"name", 0);
  ASSERT_NE(nullptr, empty);
  EXPECT_EQ(0, empty->textCount);
  ReleaseDomNode(empty);
  ReleaseDomNode(third);
  ReleaseDomNode(name);
  ReleaseDomNode(second);
  ReleaseDomNode(root);
  EXPECT_EQ(nullptr, root);
}

TEST(DomNode, EmptyNodeAnswersNothing) {
  DomNode* none = nullptr;
  EXPECT_EQ(0, CountChildren(none, u"a"));
  EXPECT_EQ(nullptr, GetChild(none, u"a", 0));
  ReleaseDomNode(none);
  EXPECT_EQ(nullptr, none);
}

TEST(DomNode, ChildStillReferencedSurvivesItsParent) {
  DomNode* root = ParseXml(u"<a><b><c>x</c></b></a>");
  ASSERT_NE(nullptr, root);
  EXPECT_EQ(nullptr, root->parent);  // the single element came out of the top node
  DomNode* b = GetChild(root, u"b", 0);
  EXPECT_EQ(2, b->refCount);
  ReleaseDomNode(root);
  ASSERT_NE(nullptr, b);
  EXPECT_EQ(nullptr, b->parent);
  EXPECT_EQ(1, b->refCount);
  EXPECT_EQ(1, CountChildren(b, u"c"));
  ReleaseDomNode(b);
}

TEST(DomNode, ReleasingALongChainDoesNotRecurse) {
  DomNode* top = new DomNode;
  DomNode* n = top;
  for (int i = 0; i < 200000; ++i) {
    DomNode* child = new DomNode;
    child->name = u"e";
    child->parent = n;
    n->children.push_back(child);
    n->childCount = 1;
    n->order.push_back(kDomOrderChild);
    n = child;
  }
  ReleaseDomNode(top);
  EXPECT_EQ(nullptr, top);
}

}  // namespace
