#include "CFileDialog.h"

#include <algorithm>
#include <cwchar>

#include "CDialog.h"
#include "FileFilter.h"

namespace {

// Keeps the object with the hook dialog and with the file dialog it subclasses.
const wchar_t kObjectProperty[] = L"QvClasslibCFileDialog";

bool IsAbsolutePath(const CString& name) {
  const int n = name.GetLength();
  return (n >= 2 && name[1] == L':') || (n >= 2 && name[0] == L'\\' && name[1] == L'\\');
}

}  // namespace

CFileDialog::CFileDialog(BOOL open, LPCWSTR defExt, LPCWSTR fileName, DWORD flags,
                         LPCWSTR filter, CWnd* parent)
    : m_bOpenFileDialog(open), m_pParentWnd(parent) {
  ZeroMemory(&m_ofn, sizeof m_ofn);
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.Flags = flags | OFN_EXPLORER;
  if (defExt) {
    m_defExt = defExt;
    m_ofn.lpstrDefExt = m_defExt.c_str();
  }
  if (filter) {
    const std::u16string_view text(reinterpret_cast<const char16_t*>(filter), wcslen(filter));
    m_filter = FilterToDialogBlock(text);
  }
  SetFileBuffer(MAX_PATH);
  if (fileName) {
    const size_t n = std::min(wcslen(fileName), size_t(m_ofn.nMaxFile) - 1);
    std::copy(fileName, fileName + n, m_file.begin());
  }
}

void CFileDialog::SetFileBuffer(DWORD maxChars) {
  maxChars = std::max<DWORD>(maxChars, 2);
  // Two zeros beyond the room the dialog may fill, so the names always end in a
  // double zero whatever the dialog wrote.
  std::vector<wchar_t> buffer(size_t(maxChars) + 2, L'\0');
  if (!m_file.empty()) {
    const size_t n = wcslen(m_file.data());
    if (n < maxChars) std::copy(m_file.begin(), m_file.begin() + ptrdiff_t(n), buffer.begin());
  }
  m_file.swap(buffer);
  m_ofn.lpstrFile = m_file.data();
  m_ofn.nMaxFile = maxChars;
}

INT_PTR CFileDialog::DoModal() {
  m_dwError = 0;
  m_ofn.hwndOwner = CDialog::GetSafeOwner(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
  m_ofn.lpstrFile = m_file.data();
  m_ofn.nMaxFile = DWORD(m_file.size() - 2);
  m_ofn.lpstrFilter = m_filter.empty() ? nullptr : reinterpret_cast<LPCWSTR>(m_filter.c_str());

  const DWORD callerFlags = m_ofn.Flags;
  const LPOFNHOOKPROC callerHook = m_ofn.lpfnHook;
  const LPARAM callerData = m_ofn.lCustData;
  const bool wrap = MultiSelect();
  if (wrap) {
    m_userHook = (callerFlags & OFN_ENABLEHOOK) ? callerHook : nullptr;
    m_userData = callerData;
    m_ofn.Flags |= OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
  }
  const BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
  const DWORD error = ok ? 0 : ::CommDlgExtendedError();
  if (wrap) {
    m_ofn.Flags = (m_ofn.Flags & ~DWORD(OFN_ENABLEHOOK)) | (callerFlags & OFN_ENABLEHOOK);
    m_ofn.lpfnHook = callerHook;
    m_ofn.lCustData = callerData;
    m_userHook = nullptr;
  }
  // The dialog may have been handed a grown buffer.
  m_ofn.lpstrFile = m_file.data();
  m_ofn.nMaxFile = DWORD(m_file.size() - 2);
  if (!ok) {
    // A refused selection leaves a size, not a name, at the start of the buffer.
    m_file[0] = m_file[1] = L'\0';
    m_dwError = error;
    return IDCANCEL;
  }
  return IDOK;
}

DWORD CFileDialog::RoomNeeded(HWND dialog) {
  // Both answer the length with its terminator when given no buffer. The names come
  // back as the folder, a NUL, each name and a NUL, and a final NUL: no more than the
  // folder, a separator and the typed or selected text (whose quotes and blanks
  // outnumber the NULs) with three terminators.
  const LRESULT folder = ::SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0);
  const LRESULT spec = ::SendMessageW(dialog, CDM_GETSPEC, 0, 0);
  if (folder <= 0 && spec <= 0) return 0;
  using Count = unsigned long long;
  const Count need = (folder > 0 ? Count(folder) : 0) + (spec > 0 ? Count(spec) : 0) + 2;
  return need > 0x7FFFFFF0ull ? 0x7FFFFFF0u : DWORD(need);
}

void CFileDialog::GrowFor(HWND dialog, OPENFILENAMEW* ofn) {
  const DWORD need = RoomNeeded(dialog);
  const DWORD have = DWORD(m_file.size() - 2);
  if (need <= have) return;
  // Room to spare, so that each further selected file does not cost a copy.
  const DWORD grown = std::max<DWORD>(need + MAX_PATH, have > 0x3FFFFFF0u ? have : have * 2);
  SetFileBuffer(grown);
  if (ofn && ofn != &m_ofn) {
    ofn->lpstrFile = m_file.data();
    ofn->nMaxFile = m_ofn.nMaxFile;
  }
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
  CFileDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    const OPENFILENAMEW* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
    self = ofn ? reinterpret_cast<CFileDialog*>(ofn->lCustData) : nullptr;
    if (self) ::SetPropW(hook, kObjectProperty, self);
  } else {
    self = static_cast<CFileDialog*>(::GetPropW(hook, kObjectProperty));
  }
  if (!self) return 0;
  try {
    if (message == WM_NOTIFY) {
      OFNOTIFYW* note = reinterpret_cast<OFNOTIFYW*>(lParam);
      const HWND dialog = ::GetParent(hook);
      if (note->hdr.code == CDN_INITDONE && !self->m_dialogProc &&
          ::SetPropW(dialog, kObjectProperty, self)) {
        self->m_dialogProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
            dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CFileDialog::DialogSubclassProc)));
        if (!self->m_dialogProc) ::RemovePropW(dialog, kObjectProperty);
      } else if (note->hdr.code == CDN_SELCHANGE) {
        self->GrowFor(dialog, note->lpOFN);
      }
    }
  } catch (...) {
    // Out of memory while growing: the dialog keeps the buffer it has and reports a
    // selection that does not fit as it would without us.
  }
  UINT_PTR result = 0;
  if (self->m_userHook) result = self->m_userHook(hook, message, wParam, lParam);
  if (message == WM_DESTROY) ::RemovePropW(hook, kObjectProperty);
  return result;
}

LRESULT CALLBACK CFileDialog::DialogSubclassProc(HWND dialog, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  CFileDialog* self = static_cast<CFileDialog*>(::GetPropW(dialog, kObjectProperty));
  if (!self || !self->m_dialogProc) return ::DefDlgProcW(dialog, message, wParam, lParam);
  const WNDPROC original = self->m_dialogProc;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    // Typed names reach the buffer only here; make room before the dialog fills it.
    try {
      self->GrowFor(dialog, nullptr);
    } catch (...) {
    }
  } else if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    ::RemovePropW(dialog, kObjectProperty);
    self->m_dialogProc = nullptr;
  }
  return ::CallWindowProcW(original, dialog, message, wParam, lParam);
}

POSITION CFileDialog::GetStartPosition() const {
  return m_file[0] ? POSITION(m_file.data()) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  const wchar_t* base = m_file.data();
  const wchar_t* at = static_cast<const wchar_t*>(pos);
  pos = nullptr;
  if (!at) return CString();
  // The buffer ends in at least two zeros, so every name below ends inside it.
  const size_t folderLength = wcslen(base);
  const wchar_t* first = base + folderLength + 1;
  if (!MultiSelect() || !*first) return CString(base, int(folderLength));  // one full path
  if (at == base) at = first;
  const size_t length = wcslen(at);
  const wchar_t* next = at + length + 1;
  if (*next) pos = POSITION(next);
  const CString name(at, int(length));
  if (IsAbsolutePath(name)) return name;
  CString path(base, int(folderLength));
  if (!path.IsEmpty() && path[path.GetLength() - 1] != L'\\') path += L'\\';
  return path + name;
}

CString CFileDialog::GetPathName() const {
  POSITION pos = GetStartPosition();
  return GetNextPathName(pos);
}

CString CFileDialog::GetFileName() const {
  const CString path = GetPathName();
  return path.Mid(path.ReverseFind(L'\\') + 1);
}

CString CFileDialog::GetFileExt() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind(L'.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}
