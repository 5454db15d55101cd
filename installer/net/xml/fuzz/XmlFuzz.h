// One fuzzing step over the XML reader: shared by the libFuzzer target, its
// corpus replayer and the short fuzz loop of the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "DomNode.h"

// Each byte is one character, except that 0xFF followed by two bytes gives the
// character with those bytes (low byte first), so that every UTF-16 unit occurs.
std::u16string XmlFuzzText(const uint8_t* data, size_t size);

// Checks the shape of a tree that ParseXml returned: counts match their arrays,
// each child links back to its parent, the order array names every item once,
// nothing is nested deeper than the limit. Empty when sound, else what is wrong.
std::string CheckDomTree(const DomNode* root);

// Parses the text, checks the tree, queries it and releases it. Answers the
// finding of CheckDomTree.
std::string FuzzXmlOnce(const std::u16string& text);
