#include "ListBoxEx.h"

#include <shellapi.h>

#include "Clipboard.h"
#include "ListKeys.h"
#include "LocalPrinters.h"
#include "PastedFiles.h"
#include "Utf16.h"

namespace {

// The edge room beside the widest entry: twice the 3-D edge width.
int EdgeRoom() { return 2 * ::GetSystemMetrics(SM_CXEDGE); }

// A device context of the list with its font selected, for measuring.
class MeasureDC {
public:
  explicit MeasureDC(HWND list) : list_(list), dc_(::GetDC(list)) {
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0));
    if (dc_ && font) old_ = ::SelectObject(dc_, font);
  }
  ~MeasureDC() {
    if (dc_ && old_) ::SelectObject(dc_, old_);
    if (dc_) ::ReleaseDC(list_, dc_);
  }
  MeasureDC(const MeasureDC&) = delete;
  MeasureDC& operator=(const MeasureDC&) = delete;
  // Width in pixels; a tab counts as one plain character. 0 when it cannot measure.
  int Width(const wchar_t* text, size_t length) const {
    SIZE size{};
    if (!dc_ || length == 0) return 0;
    if (!::GetTextExtentPoint32W(dc_, text, int(length), &size)) return 0;
    return size.cx;
  }

private:
  HWND list_;
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

void Measure(const MeasureDC& dc, const std::wstring& entry, bool pathMode,
             drux::ListMeasures& measures) {
  int label = 0;
  if (pathMode) {
    const size_t tab = entry.rfind(L'\t');
    label = dc.Width(entry.c_str(), tab == std::wstring::npos ? entry.size() : tab);
  }
  measures.Add(label, dc.Width(entry.c_str(), entry.size()));
}

}  // namespace

CListBoxEx::CListBoxEx() : m_measures(0) {}

CListBoxEx::~CListBoxEx() = default;

CString CListBoxEx::DisplayToPath(const CString& entry) {
  return ToCString(drux::DisplayToPath(ToU16(entry)));
}

void CListBoxEx::ApplyMeasures() {
  m_pendingApply = false;
  if (!m_hWnd) return;
  if (pathMode) {
    const int stop = m_measures.TabStop(LOWORD(::GetDialogBaseUnits()));
    SetTabStops(1, &stop);
  }
  const int width = m_measures.Extent();
  SetHorizontalExtent(width);
  SetColumnWidth(width);
  if (GetCount() > 0) SetItemHeight(0, LOWORD(GetItemHeight(0)));
}

void CListBoxEx::UpdateExtent() {
  m_pendingFull = false;
  if (!m_hWnd) return;
  m_measured = true;
  m_measures = drux::ListMeasures(EdgeRoom());
  {
    MeasureDC dc(m_hWnd);
    const int count = GetCount();
    CString entry;
    for (int i = 0; i < count; ++i) {
      GetText(i, entry);
      Measure(dc, entry.str(), pathMode, m_measures);
    }
  }
  ApplyMeasures();
}

void CListBoxEx::MeasureAdded(LPCWSTR entry) {
  if (m_pendingFull) return;  // the full measure to come takes it in
  if (!m_measured || m_redrawOff) {
    // The first measure of the list (the edge room with it), or a bulk change: one
    // measure of the whole list when redrawing comes back on.
    MeasuresChanged(true);
    return;
  }
  {
    MeasureDC dc(m_hWnd);
    Measure(dc, entry ? entry : L"", pathMode, m_measures);
  }
  MeasuresChanged(false);
}

void CListBoxEx::MeasuresChanged(bool full) {
  if (full) m_pendingFull = true;
  else m_pendingApply = true;
  if (m_redrawOff) return;
  if (m_pendingFull) UpdateExtent();
  else ApplyMeasures();
}

int CListBoxEx::AddFiles(const std::vector<std::u16string>& files) {
  int added = 0, last = -1;
  for (const std::u16string& file : files) {
    const int index = AddString(W(file));
    if (index >= 0) {
      ++added;
      last = index;
    }
  }
  // Each add scrolls its entry to the top; only the last one's position shows.
  if (last >= 0) SetTopIndex(last);
  return added;
}

void CListBoxEx::DeleteSelected() {
  std::vector<int> selected = GetSelItems();
  const bool bulk = !m_redrawOff;
  if (bulk) SetRedraw(FALSE);
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) DeleteString(UINT(*it));
  if (bulk) SetRedraw(TRUE);
}

BOOL CListBoxEx::CopySelection() {
  const std::vector<int> selected = GetSelItems();
  if (selected.empty()) return FALSE;
  CString text;
  CString entry;
  for (int index : selected) {
    GetText(index, entry);
    text += pathMode ? DisplayToPath(entry) : entry;
    text += L"\r\n";
  }
  return AfxSetClipboardText(m_hWnd, text);
}

void CListBoxEx::Cut() {
  // Entries go only once they are safe on the clipboard.
  if (!CopySelection()) return;
  DeleteSelected();
}

void CListBoxEx::Paste() {
  CClipboardOpen clipboard(m_hWnd);
  if (!clipboard.IsOpen()) return;
  SetRedraw(FALSE);
  WinFileProbe probe;
  std::vector<std::u16string> files;
  try {
    if (::IsClipboardFormatAvailable(CF_HDROP)) {
      HDROP drop = static_cast<HDROP>(::GetClipboardData(CF_HDROP));
      files = drux::FilesFromList(probe, DroppedPaths(drop));
    } else if (::IsClipboardFormatAvailable(CF_UNICODETEXT)) {
      HGLOBAL block = ::GetClipboardData(CF_UNICODETEXT);
      const void* data = block ? ::GlobalLock(block) : nullptr;
      if (data) {
        const std::u16string text =
            drux::TextFromBlock(static_cast<const char16_t*>(data), ::GlobalSize(block));
        ::GlobalUnlock(block);
        files = drux::FilesFromText(probe, text);
      }
    }
    AddFiles(files);
  } catch (...) {
    // Out of memory on a huge clipboard: what was added stays, the rest is left out.
  }
  UpdateExtent();
  SetRedraw(TRUE);
}

void CListBoxEx::OnKeyDown(WPARAM key, LPARAM flags) {
  const drux::ListKeyState state{uint32_t(key), ::GetKeyState(VK_CONTROL) < 0,
                                 ::GetKeyState(VK_SHIFT) < 0};
  const drux::ListKeyAction action = drux::DecideListKey(state, pathMode, allowDelete);
  keyHandled = drux::UsesKeyUp(action);
  switch (action) {
    case drux::ListKeyAction::kDeleteSelected:
      DeleteSelected();
      break;
    case drux::ListKeyAction::kSelectAll: {
      const int count = GetCount();
      if (count > 0) SelItemRange(TRUE, 0, count - 1);
      return;
    }
    case drux::ListKeyAction::kCopy:
      CopySelection();
      return;
    case drux::ListKeyAction::kPaste:
      Paste();
      return;
    case drux::ListKeyAction::kCut:
      Cut();
      return;
    case drux::ListKeyAction::kDefault:
      break;
  }
  DefWindowProc(WM_KEYDOWN, key, flags);
}

LRESULT CListBoxEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      OnKeyDown(wParam, lParam);
      return 0;
    case WM_KEYUP:
    case WM_CHAR:
      if (keyHandled) return 0;
      break;
    case LB_ADDSTRING: {
      const wchar_t* text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
      std::wstring shown = text;
      if (pathMode) {
        const std::u16string display = drux::ToDisplayForm(ToU16(text));
        shown.assign(reinterpret_cast<const wchar_t*>(display.data()), display.size());
      }
      const LRESULT result = DefWindowProc(LB_ADDSTRING, wParam, LPARAM(shown.c_str()));
      if (result >= 0) MeasureAdded(shown.c_str());
      return result;
    }
    case LB_INSERTSTRING: {
      const LRESULT result = DefWindowProc(message, wParam, lParam);
      if (result >= 0) MeasureAdded(reinterpret_cast<LPCWSTR>(lParam));
      return result;
    }
    case LB_DELETESTRING:
    case LB_RESETCONTENT: {
      const LRESULT result = DefWindowProc(message, wParam, lParam);
      // What is left must be measured again: the widest entry may have gone.
      MeasuresChanged(true);
      return result;
    }
    case WM_SETFONT: {
      const LRESULT result = DefWindowProc(message, wParam, lParam);
      MeasuresChanged(true);
      return result;
    }
    case WM_SETREDRAW:
      m_redrawOff = wParam == FALSE;
      if (!m_redrawOff && (m_pendingFull || m_pendingApply)) MeasuresChanged(m_pendingFull);
      break;
    default:
      break;
  }
  return CListBox::WindowProc(message, wParam, lParam);
}
