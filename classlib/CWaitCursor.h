// CWaitCursor: the hourglass while an operation blocks the user-interface thread
// (Windows builds only). The cursor shown before comes back when the object goes;
// the system shows the window's own cursor again at the next mouse move anyway.
#pragma once

#include <windows.h>

class CWaitCursor {
public:
  CWaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
  ~CWaitCursor() { ::SetCursor(m_previous); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;

  // Shows the hourglass again (after a message box, say, put the arrow back).
  void Restore() { ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }

private:
  HCURSOR m_previous;
};
