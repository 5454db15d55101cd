// The file list's display form of a path and the list's measures.
//
// In the file list a path is shown with its name first and its folder after a tab
// stop, in square brackets: "a.ps", a tab, a blank and "[C:\jobs]" for C:\jobs\a.ps.
// The list box aligns the bracket part at its one tab stop, which is kept just right
// of the widest name; its horizontal extent follows the widest entry.
#pragma once

#include <string>

namespace drux {

// The display form: for the last backslash at k > 0, the part after it, a tab, a
// blank, "[", the part before it and "]"; for k = 0 the part after it and a tab;
// without a backslash the path unchanged.
std::u16string ToDisplayForm(const std::u16string& path);

// The path of a display-form entry. With a tab at position a (the first one): the
// characters from a + 3 up to the last one excluded (the folder; empty when the entry
// ends before that), a backslash, then the characters before a (the name). An entry
// without a tab is returned unchanged. Inverse of ToDisplayForm for every path
// without a tab character.
std::u16string DisplayToPath(const std::u16string& entry);

// The part of an entry that must fit left of the tab stop: everything before its last
// tab, or the whole entry when it has none.
std::u16string TabLabel(const std::u16string& entry);

// The tab stop, in dialog template units, for labels up to widestLabel pixels wide:
// ((w x 4 + 16) / 3) x 4 / x with integer divisions, x being the horizontal dialog
// base unit in pixels (a base unit of 0 counts as 1).
int TabStopFor(int widestLabel, int baseUnitX);

// The tab stop and the horizontal extent of a list from the measures of its entries.
// Both are maxima, so adding an entry needs only its own measures; after a removal the
// list is measured again from Reset.
class ListMeasures {
public:
  // edge: the room the extent keeps beside the widest entry (twice the edge width).
  explicit ListMeasures(int edge) : edge_(edge) {}
  void Reset() {
    widestLabel_ = 0;
    widestEntry_ = 0;
  }
  // labelWidth: the entry's TabLabel measured; entryWidth: the whole entry measured
  // with its tab as one plain character.
  void Add(int labelWidth, int entryWidth);
  int TabStop(int baseUnitX) const { return TabStopFor(widestLabel_, baseUnitX); }
  // The widest entry and the edge, never less than the edge alone.
  int Extent() const;

private:
  int edge_;
  int widestLabel_ = 0;
  int widestEntry_ = 0;
};

}  // namespace drux
