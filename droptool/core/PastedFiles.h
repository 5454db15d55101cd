// Which files a drop or a paste puts into the file list.
//
// A dropped or pasted path that is a shortcut stands for its target: a target that is
// a regular file is added, any other target (a folder, a device) adds nothing, so a
// shortcut file never goes to the printer in place of what it points to. A path that
// is no shortcut, or a shortcut that does not resolve, is added when it is a regular
// file itself. Folders and missing paths add nothing. Nothing is de-duplicated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace drux {

// The file system as the list sees it.
class FileProbe {
public:
  virtual ~FileProbe() = default;
  // True and *target set when path is a shell shortcut that resolves to a file-system
  // path (a file or a folder).
  virtual bool ResolveShortcut(const std::u16string& path, std::u16string* target) = 0;
  // True when path names a regular file (no folder, device or pipe).
  virtual bool IsRegularFile(const std::u16string& path) = 0;
};

// True when path names a shell shortcut file by its type, as the shell tells them: a
// name ending in ".lnk" (any case). Only such files are tried as shortcuts; opening
// every dropped file to look for a link inside would make a drop of thousands of
// print files slow.
bool HasShortcutName(const std::u16string& path);

enum class PathVerdict {
  kAdd,       // *added is the file to list
  kRefused,   // a shortcut to something that is no regular file: nothing is added
  kNotFound,  // no shortcut and no regular file
};
PathVerdict JudgePath(FileProbe& probe, const std::u16string& path, std::u16string* added);

// The files of a dropped or pasted file list, in its order; empty paths are skipped.
std::vector<std::u16string> FilesFromList(FileProbe& probe,
                                          const std::vector<std::u16string>& paths);

// The lines of pasted text: the text split at every run of CR and LF characters, so
// that empty lines fall away.
std::vector<std::u16string> SplitLines(const std::u16string& text);

// White space around a pasted path: the ASCII blanks and controls tab to CR, and the
// other Unicode blanks (no-break spaces, the ideographic space, a byte-order mark).
bool IsPasteSpace(char16_t c);

// The files of pasted text, in line order. Each line loses its trailing white space
// (a line left empty adds nothing) and is judged; when it is neither a shortcut nor a
// regular file, it loses its leading white space as well and is judged once more.
std::vector<std::u16string> FilesFromText(FileProbe& probe, const std::u16string& text);

// The text of a clipboard block of byteSize bytes: up to its first NUL, and never
// beyond the block, also when it holds no NUL or an odd number of bytes.
std::u16string TextFromBlock(const char16_t* data, size_t byteSize);

// True when a dropped file list (a DROPFILES block of size bytes: the offset of the
// names, a point, two flags, then NUL-ended names of 16-bit or 8-bit characters as the
// wide flag says, closed by an empty name) keeps its names inside the block. A list
// from the clipboard can hold anything; only a well-formed one is read.
bool DropListIsWellFormed(const uint8_t* block, size_t size);

// The names of a well-formed dropped file list, in order, each at its full length:
// in *wide for a list of 16-bit characters, in *narrow (the
// system's 8-bit code page) otherwise. False, and nothing added, for a block that is not
// well-formed. One pass over the block, however many names it holds.
bool ReadDropList(const uint8_t* block, size_t size, std::vector<std::u16string>* wide,
                  std::vector<std::string>* narrow);

}  // namespace drux
