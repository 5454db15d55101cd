#include "PastedFiles.h"

#include <cstring>

namespace drux {

bool HasShortcutName(const std::u16string& path) {
  static const char16_t kExtension[] = u".lnk";
  if (path.size() < 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    char16_t c = path[path.size() - 4 + i];
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

PathVerdict JudgePath(FileProbe& probe, const std::u16string& path, std::u16string* added) {
  if (path.empty()) return PathVerdict::kNotFound;
  std::u16string target;
  if (probe.ResolveShortcut(path, &target)) {
    if (!target.empty() && probe.IsRegularFile(target)) {
      *added = target;
      return PathVerdict::kAdd;
    }
    return PathVerdict::kRefused;
  }
  if (probe.IsRegularFile(path)) {
    *added = path;
    return PathVerdict::kAdd;
  }
  return PathVerdict::kNotFound;
}

std::vector<std::u16string> FilesFromList(FileProbe& probe,
                                          const std::vector<std::u16string>& paths) {
  std::vector<std::u16string> files;
  for (const std::u16string& path : paths) {
    std::u16string file;
    if (JudgePath(probe, path, &file) == PathVerdict::kAdd) files.push_back(file);
  }
  return files;
}

std::vector<std::u16string> SplitLines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == u'\r' || text[i] == u'\n') {
      if (i > start) lines.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return lines;
}

bool IsPasteSpace(char16_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
         c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

std::vector<std::u16string> FilesFromText(FileProbe& probe, const std::u16string& text) {
  std::vector<std::u16string> files;
  for (std::u16string line : SplitLines(text)) {
    size_t end = line.size();
    while (end > 0 && IsPasteSpace(line[end - 1])) --end;
    line.resize(end);
    if (line.empty()) continue;
    std::u16string file;
    PathVerdict verdict = JudgePath(probe, line, &file);
    if (verdict == PathVerdict::kNotFound) {
      size_t begin = 0;
      while (begin < line.size() && IsPasteSpace(line[begin])) ++begin;
      if (begin > 0) verdict = JudgePath(probe, line.substr(begin), &file);
    }
    if (verdict == PathVerdict::kAdd) files.push_back(file);
  }
  return files;
}

std::u16string TextFromBlock(const char16_t* data, size_t byteSize) {
  if (!data) return std::u16string();
  const size_t units = byteSize / sizeof(char16_t);
  size_t n = 0;
  while (n < units && data[n] != u'\0') ++n;
  return std::u16string(data, n);
}

bool DropListIsWellFormed(const uint8_t* block, size_t size) {
  // DROPFILES: pFiles (4 bytes), pt (8), fNC (4), fWide (4).
  constexpr size_t kHeader = 20;
  if (!block || size < kHeader) return false;
  uint32_t offset = 0, wide = 0;
  std::memcpy(&offset, block, 4);
  std::memcpy(&wide, block + 16, 4);
  if (offset < kHeader || offset >= size) return false;
  const size_t unit = wide ? 2 : 1;
  bool nameEmpty = true;  // at the start of a name
  for (size_t at = offset; at + unit <= size; at += unit) {
    const bool zero = unit == 2 ? (block[at] == 0 && block[at + 1] == 0) : block[at] == 0;
    if (zero && nameEmpty) return true;  // the empty name that closes the list
    nameEmpty = zero;
  }
  return false;
}

bool ReadDropList(const uint8_t* block, size_t size, std::vector<std::u16string>* wide,
                  std::vector<std::string>* narrow) {
  if (!DropListIsWellFormed(block, size)) return false;
  uint32_t offset = 0, isWide = 0;
  std::memcpy(&offset, block, 4);
  std::memcpy(&isWide, block + 16, 4);
  // Each name ends at a NUL; an empty name closes the list, which is known to be
  // closed inside the block.
  if (isWide) {
    std::u16string name;
    for (size_t at = offset; at + 2 <= size; at += 2) {
      const char16_t c = char16_t(block[at] | (block[at + 1] << 8));
      if (c != 0) {
        name += c;
        continue;
      }
      if (name.empty()) break;
      wide->push_back(name);
      name.clear();
    }
  } else {
    std::string name;
    for (size_t at = offset; at < size; ++at) {
      const char c = char(block[at]);
      if (c != 0) {
        name += c;
        continue;
      }
      if (name.empty()) break;
      narrow->push_back(name);
      name.clear();
    }
  }
  return true;
}

}  // namespace drux
