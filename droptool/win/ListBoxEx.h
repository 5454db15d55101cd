// CListBoxEx: the list box of both lists of the main dialog. Keyboard editing (Delete,
// select all, copy) on a plain list box and, in path mode, paths shown name first and
// folder after a tab stop, with clipboard cut and paste of files and lines of text.
// Its tab stop and horizontal extent always fit its widest entry.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "CListBox.h"
#include "CString.h"
#include "PathDisplay.h"

class CListBoxEx : public CListBox {
public:
  CListBoxEx();
  ~CListBoxEx() override;

  bool allowDelete = false;  // Delete removes the selected entries
  bool pathMode = false;     // entries are paths in the display form; paste and cut
  bool keyHandled = false;   // the last key-down was used up here

  // The path of a display-form entry (an entry without a tab unchanged).
  static CString DisplayToPath(const CString& entry);
  // The selected entries (as paths in path mode), each ended by CR LF, to the
  // clipboard. False when nothing is selected or the clipboard took nothing.
  BOOL CopySelection();
  // Measures every entry again and sets the tab stop and the horizontal extent.
  void UpdateExtent();
  // Adds the files in order (display form in path mode) and scrolls the last one added
  // to the top. Returns the number added.
  int AddFiles(const std::vector<std::u16string>& files);
  // Removes the selected entries (highest index first).
  void DeleteSelected();

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void OnKeyDown(WPARAM key, LPARAM flags);
  void Paste();
  void Cut();
  // Measures of one new entry; applies them unless redrawing is off.
  void MeasureAdded(LPCWSTR entry);
  // The measures to the list box: tab stop, extent, column width, item height.
  void ApplyMeasures();
  // A full measure when entries went, or applying what adds brought; deferred while
  // redrawing is off, so that a bulk change is measured once.
  void MeasuresChanged(bool full);

  drux::ListMeasures m_measures;
  bool m_redrawOff = false;
  bool m_pendingApply = false;
  bool m_pendingFull = false;
  bool m_measured = false;  // m_measures holds the whole list
};
