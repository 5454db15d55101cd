#include "PageRules.h"

namespace qv {
namespace ui {
namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// At most max characters of a string that may lack a terminator within them.
std::u16string Bounded(const char16_t* text, std::size_t max) {
  if (!text) return std::u16string();
  std::size_t n = 0;
  while (n < max && text[n] != u'\0') ++n;
  return std::u16string(text, n);
}

}  // namespace

bool UsesShortPageTemplate(int fullScreenHeight) { return fullScreenHeight <= 600; }

bool CompanionPathFromModulePath(std::u16string& path) {
  const std::size_t n = path.size();
  if (n < 5 || path[n - 4] != u'.' || Lower(path[n - 3]) != u'd' || Lower(path[n - 2]) != u'l' ||
      Lower(path[n - 1]) != u'l') {
    return false;
  }
  const std::size_t slash = path.find_last_of(u"\\/");
  const std::size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
  const std::size_t underscore = path.rfind(u'_');
  if (underscore != std::u16string::npos && underscore >= nameStart) {
    path.resize(underscore);
  } else {
    path.resize(n - 4);
  }
  path += u".dll";
  return true;
}

std::u16string DataFileNamePart(const char16_t* dataFile) {
  if (!dataFile) return std::u16string();
  const char16_t* name = dataFile;
  for (const char16_t* p = dataFile; *p; ++p) {
    if (*p == u'\\' || *p == u'/') name = p + 1;
  }
  return Bounded(name, kDataFileNameLength);
}

std::u16string PageTitleFromDeviceName(const char16_t* deviceName) {
  return Bounded(deviceName, kPageTitleLength);
}

std::u16string PrinterNamePart(const char16_t* printerName) {
  return Bounded(printerName, kPrinterNameLength);
}

}  // namespace ui
}  // namespace qv
