#include "DocumentName.h"

namespace drux {

std::u16string MakeDocumentName(const std::u16string& path) {
  const size_t last = path.rfind(u'\\');
  if (last == std::u16string::npos) return path;
  std::u16string name = path.substr(last + 1);
  if (last == 0) return name;
  name += u" [";
  name.append(path, 0, last);
  name += u']';
  return name;
}

}  // namespace drux
