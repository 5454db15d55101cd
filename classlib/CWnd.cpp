#include "CWnd.h"

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

// The objects kept with their windows. A process-wide table rather than a window
// property: every message of a routed window looks its object up, and under Wine a
// property read is a round trip to the server, which made each message of a list of
// thousands of entries cost tens of microseconds. Reached through plain pointers and
// never freed, so that no destructor runs at process or thread end.
std::mutex& ObjectsLock() {
  static std::mutex* lock = new std::mutex;
  return *lock;
}
std::unordered_map<HWND, CWnd*>& Objects() {
  static auto* objects = new std::unordered_map<HWND, CWnd*>;
  return *objects;
}

// The object that CreateEx is creating on this thread; StdWndProc hooks it to the new
// window on the window's first message.
thread_local CWnd* t_creating = nullptr;

// Handle-only wrappers handed out by FromHandle. An entry holds only the handle value,
// so it stays correct even when the window is gone and the handle is later reused.
// The per-thread map is reached through a plain pointer and never freed: a thread_local
// object with a destructor hangs the process when a thread made with CreateThread ends
// (mingw-w64 with the posix thread model).
using WrapperMap = std::unordered_map<HWND, std::unique_ptr<CWnd>>;
thread_local WrapperMap* t_wrappers = nullptr;
WrapperMap& HandleWrappers() {
  if (!t_wrappers) t_wrappers = new WrapperMap;
  return *t_wrappers;
}

bool AnswersDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}

}  // namespace

IMPLEMENT_DYNAMIC_ROOT(CWnd)

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) Unhook();
  m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  if (!hwnd) return nullptr;
  std::lock_guard<std::mutex> guard(ObjectsLock());
  auto it = Objects().find(hwnd);
  return it == Objects().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  if (CWnd* wnd = FromHandlePermanent(hwnd)) return wnd;
  auto& wrappers = HandleWrappers();
  auto it = wrappers.find(hwnd);
  if (it == wrappers.end()) {
    auto wrapper = std::make_unique<CWnd>();
    wrapper->m_hWnd = hwnd;
    it = wrappers.emplace(hwnd, std::move(wrapper)).first;
  }
  return it->second.get();
}

void CWnd::HookTo(HWND hwnd) {
  m_hWnd = hwnd;
  std::lock_guard<std::mutex> guard(ObjectsLock());
  Objects()[hwnd] = this;
}

void CWnd::Unhook() {
  if (!m_hWnd) return;
  if (m_pfnSuper) {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
  }
  std::lock_guard<std::mutex> guard(ObjectsLock());
  auto it = Objects().find(m_hWnd);
  if (it != Objects().end() && it->second == this) Objects().erase(it);
}

void CWnd::OnFinalNcDestroy() {
  Unhook();
  m_hWnd = nullptr;
  PostNcDestroy();  // may delete this: nothing may follow
}

BOOL CWnd::Attach(HWND hwnd) {
  if (!hwnd || m_hWnd || FromHandlePermanent(hwnd)) return FALSE;
  HookTo(hwnd);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hwnd = m_hWnd;
  if (hwnd && FromHandlePermanent(hwnd) == this) Unhook();
  m_hWnd = nullptr;
  return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!Attach(hwnd)) return FALSE;
  m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
      hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc)));
  if (!m_pfnSuper) {
    Detach();
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!parent) return FALSE;
  HWND child = ::GetDlgItem(parent->m_hWnd, int(id));
  return child ? SubclassWindow(child) : FALSE;
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

BOOL CWnd::RegisterWndClass(LPCWSTR className, UINT style, HCURSOR cursor, HBRUSH background,
                            HICON icon) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExW(instance, className, &wc)) return wc.lpfnWndProc == &CWnd::StdWndProc;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &CWnd::StdWndProc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  return ::RegisterClassExW(&wc) != 0;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId, LPVOID param) {
  if (m_hWnd) return FALSE;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  const bool ours = ::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &wc) &&
                    wc.lpfnWndProc == &CWnd::StdWndProc;
  CWnd* const outer = t_creating;
  if (ours) t_creating = this;
  HWND hwnd = ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height,
                                parent, menuOrId, ::GetModuleHandleW(nullptr), param);
  t_creating = outer;
  if (!hwnd) {
    // A window that failed during creation may already have been hooked and gone.
    m_hWnd = nullptr;
    return FALSE;
  }
  if (!ours && !SubclassWindow(hwnd)) {
    ::DestroyWindow(hwnd);
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnWndMsg(message, wParam, lParam, &result)) return result;
  return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) {
        *result = 0;
        return TRUE;
      }
      return FALSE;
    case WM_NOTIFY:
      return OnNotify(wParam, lParam, result);
    default:
      return FALSE;
  }
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandlePermanent(hwnd);
  if (!wnd && t_creating) {
    wnd = t_creating;
    t_creating = nullptr;
    wnd->HookTo(hwnd);
  }
  if (!wnd) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = wnd->WindowProc(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's frames: the message gets its default
    // answer from whoever would have handled it without us.
    try {
      result = wnd->DefWindowProc(message, wParam, lParam);
    } catch (...) {
      result = 0;
    }
  }
  if (message == WM_NCDESTROY) wnd->OnFinalNcDestroy();
  return result;
}

INT_PTR CWnd::DispatchDialogMessage(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!wnd || !wnd->m_hWnd) return FALSE;
  LRESULT result = 0;
  BOOL handled = FALSE;
  try {
    handled = wnd->OnWndMsg(message, wParam, lParam, &result);
  } catch (...) {
    handled = FALSE;  // the dialog manager's default handling applies
  }
  if (message == WM_NCDESTROY) {
    wnd->OnFinalNcDestroy();
    return FALSE;
  }
  if (message == WM_INITDIALOG && !handled) return TRUE;  // default focus
  if (!handled) return FALSE;
  if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
  ::SetWindowLongPtrW(wnd->m_hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (control.m_hWnd || !pDX || !pDX->m_pDlgWnd) return;
  control.SubclassDlgItem(UINT(id), pDX->m_pDlgWnd);
}

int CWnd::GetCheckedRadioButton(int first, int last) const {
  for (int id = first; id <= last; ++id) {
    if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) return id;
  }
  return 0;
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

void CWnd::GetWindowText(CString& text) const {
  int length = ::GetWindowTextLengthW(m_hWnd);
  std::vector<wchar_t> buffer(size_t(length) + 2, L'\0');
  int got = ::GetWindowTextW(m_hWnd, buffer.data(), int(buffer.size()));
  text = CString(buffer.data(), got > 0 ? got : 0);
}

CString CWnd::GetWindowText() const {
  CString text;
  GetWindowText(text);
  return text;
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  HWND child = ::GetDlgItem(m_hWnd, id);
  if (!child) {
    text.Empty();
    return 0;
  }
  int length = ::GetWindowTextLengthW(child);
  std::vector<wchar_t> buffer(size_t(length) + 2, L'\0');
  int got = ::GetWindowTextW(child, buffer.data(), int(buffer.size()));
  text = CString(buffer.data(), got > 0 ? got : 0);
  return text.GetLength();
}
