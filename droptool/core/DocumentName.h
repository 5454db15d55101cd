// The spooler document name of a file: "report.ps [C:\jobs]" for C:\jobs\report.ps,
// so the queue shows the file's name first and where it came from after it.
#pragma once

#include <string>

namespace drux {

// The path unchanged when it holds no backslash; the file name alone when its only
// backslash is the first character; otherwise the part after the last backslash,
// a blank and the part before it in square brackets.
std::u16string MakeDocumentName(const std::u16string& path);

}  // namespace drux
