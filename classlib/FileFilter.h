// The file dialog's filter, from the class library's form to the system's (plain C++,
// built in every tree).
//
// The class library's form is text: pairs of a description and its patterns, every
// part ended by a vertical bar and the whole ended by a second bar:
//   "PostScript Files (*.ps)|*.ps|All Files (*.*)|*.*||"
// The system's dialog reads a block of NUL-ended parts ended by one more NUL, and reads
// on until it finds that empty part; a block without it runs past its end.
#pragma once

#include <string>
#include <string_view>

// The block for the system's dialog: each complete pair of filter, every part ended
// by a NUL, then one more NUL, so the block always ends in two NULs (a text without
// the closing "||" included). The filter ends at the first empty part or at the end of
// the text; a description without patterns after it is left out. Empty when no pair
// is left: the dialog then gets no filter.
std::u16string FilterToDialogBlock(std::u16string_view filter);
