#include "CSocket.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Notification message of the socket window: wParam the socket, lParam
// WSAMAKESELECTREPLY(event, error).
const UINT kSocketNotify = WM_USER + 1;
const wchar_t kSocketWindowClass[] = L"QvClasslibSocketWindow";
// Longest sleep of a blocked call between two looks at its messages.
const DWORD kPumpPollMs = 20;

// Per-thread: the socket window and the sockets whose notifications it delivers.
struct ThreadSockets {
  HWND window = nullptr;
  std::unordered_map<SOCKET, CAsyncSocket*> sockets;
};
// Reached through a plain pointer and never freed (one small record per thread that
// uses sockets): a thread_local object with a destructor, once touched on a thread
// made with CreateThread, hangs the process after that thread ends (mingw-w64 with
// the posix thread model).
thread_local ThreadSockets* t_socketsRecord = nullptr;
ThreadSockets& Sockets() {
  if (!t_socketsRecord) t_socketsRecord = new ThreadSockets;
  return *t_socketsRecord;
}

std::mutex g_startMutex;
bool g_started = false;
WSADATA g_wsaData;

void CleanupSockets() { WSACleanup(); }

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

LRESULT CALLBACK SocketWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kSocketNotify) {
    ThreadSockets& t = Sockets();
    auto it = t.sockets.find(static_cast<SOCKET>(wParam));
    if (it != t.sockets.end())
      it->second->DispatchNotification(WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::string ToAnsi(LPCWSTR text) {
  int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], n, nullptr, nullptr);
  out.resize(size_t(n - 1));
  return out;
}

}  // namespace

BOOL AfxSocketInit(WSADATA* data) {
  {
    std::lock_guard<std::mutex> lock(g_startMutex);
    if (!g_started) {
      WSADATA d;
      if (WSAStartup(MAKEWORD(1, 1), &d) != 0) return FALSE;
      g_started = true;
      g_wsaData = d;
      // Registered only after a successful start-up, so the clean-up never runs
      // without a matching WSAStartup.
      std::atexit(CleanupSockets);
    }
    if (data) *data = g_wsaData;
  }
  return CAsyncSocket::SocketWindow() != nullptr;
}

// ---------------------------------------------------------------------------------
// CAsyncSocket

CAsyncSocket::CAsyncSocket() : m_hSocket(INVALID_SOCKET) {}

CAsyncSocket::~CAsyncSocket() {
  if (m_hSocket != INVALID_SOCKET) CAsyncSocket::Close();
}

HWND CAsyncSocket::SocketWindow() {
  ThreadSockets& t = Sockets();
  if (!t.window) {
    static std::once_flag registered;
    std::call_once(registered, [] {
      WNDCLASSEXW wc = {};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = SocketWindowProc;
      wc.hInstance = ThisModule();
      wc.lpszClassName = kSocketWindowClass;
      RegisterClassExW(&wc);
    });
    t.window = CreateWindowExW(0, kSocketWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               ThisModule(), nullptr);
  }
  return t.window;
}

BOOL CAsyncSocket::Create(UINT socketPort, int socketType, long events, LPCWSTR socketAddress) {
  if (!Socket(socketType, events)) return FALSE;
  if (Bind(socketPort, socketAddress)) return TRUE;
  int error = WSAGetLastError();
  Close();
  WSASetLastError(error);
  return FALSE;
}

BOOL CAsyncSocket::Socket(int socketType, long events, int protocol, int family) {
  if (m_hSocket != INVALID_SOCKET) {
    WSASetLastError(WSAEISCONN);
    return FALSE;
  }
  if (!SocketWindow()) {
    WSASetLastError(WSAENOBUFS);
    return FALSE;
  }
  SOCKET s = socket(family, socketType, protocol);
  if (s == INVALID_SOCKET) return FALSE;
  m_hSocket = s;
  Sockets().sockets[s] = this;
  // Always selects, even with no events: that is what makes the socket non-blocking,
  // which the blocking calls of CSocket rely on.
  if (AsyncSelect(events)) return TRUE;
  int error = WSAGetLastError();
  Close();
  WSASetLastError(error);
  return FALSE;
}

BOOL CAsyncSocket::Bind(UINT socketPort, LPCWSTR socketAddress) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(socketPort));
  if (!socketAddress || !*socketAddress) {
    address.sin_addr.s_addr = htonl(INADDR_ANY);
  } else {
    address.sin_addr.s_addr = inet_addr(ToAnsi(socketAddress).c_str());
    if (address.sin_addr.s_addr == INADDR_NONE) {
      WSASetLastError(WSAEINVAL);
      return FALSE;
    }
  }
  return bind(m_hSocket, reinterpret_cast<const SOCKADDR*>(&address), sizeof address) !=
         SOCKET_ERROR;
}

BOOL CAsyncSocket::AsyncSelect(long events) {
  HWND window = SocketWindow();
  if (!window) {
    WSASetLastError(WSAENOBUFS);
    return FALSE;
  }
  return WSAAsyncSelect(m_hSocket, window, kSocketNotify, events) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Connect(LPCWSTR hostAddress, UINT hostPort) {
  if (!hostAddress) {
    WSASetLastError(WSAEINVAL);
    return FALSE;
  }
  std::string host = ToAnsi(hostAddress);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(hostPort));
  address.sin_addr.s_addr = inet_addr(host.c_str());
  if (address.sin_addr.s_addr == INADDR_NONE) {
    hostent* entry = gethostbyname(host.c_str());
    if (!entry) return FALSE;
    // Only an IPv4 address of 4 bytes fits the address we connect to.
    if (entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list ||
        !entry->h_addr_list[0]) {
      WSASetLastError(WSAHOST_NOT_FOUND);
      return FALSE;
    }
    std::memcpy(&address.sin_addr, entry->h_addr_list[0], 4);
  }
  return Connect(reinterpret_cast<const SOCKADDR*>(&address), sizeof address);
}

BOOL CAsyncSocket::Connect(const SOCKADDR* address, int addressLength) {
  return ConnectHelper(address, addressLength);
}

BOOL CAsyncSocket::ConnectHelper(const SOCKADDR* address, int addressLength) {
  return connect(m_hSocket, address, addressLength) != SOCKET_ERROR;
}

int CAsyncSocket::Receive(void* buffer, int length, int flags) {
  return recv(m_hSocket, static_cast<char*>(buffer), length, flags);
}

int CAsyncSocket::Send(const void* buffer, int length, int flags) {
  return send(m_hSocket, static_cast<const char*>(buffer), length, flags);
}

void CAsyncSocket::Close() {
  if (m_hSocket == INVALID_SOCKET) return;
  SOCKET s = m_hSocket;
  m_hSocket = INVALID_SOCKET;
  closesocket(s);
  ThreadSockets& t = Sockets();
  t.sockets.erase(s);
  // Drop the notifications still queued for this socket, so that a socket that gets
  // the same handle value later does not see them.
  if (t.window) {
    std::vector<MSG> others;
    MSG msg;
    while (PeekMessageW(&msg, t.window, kSocketNotify, kSocketNotify, PM_REMOVE))
      if (static_cast<SOCKET>(msg.wParam) != s) others.push_back(msg);
    for (const MSG& m : others) PostMessageW(t.window, m.message, m.wParam, m.lParam);
  }
}

BOOL CAsyncSocket::ShutDown(int how) { return shutdown(m_hSocket, how) != SOCKET_ERROR; }

BOOL CAsyncSocket::SetSockOpt(int optionName, const void* value, int valueLength, int level) {
  return setsockopt(m_hSocket, level, optionName, static_cast<const char*>(value), valueLength) !=
         SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockOpt(int optionName, void* value, int* valueLength, int level) {
  return getsockopt(m_hSocket, level, optionName, static_cast<char*>(value), valueLength) !=
         SOCKET_ERROR;
}

void CAsyncSocket::OnReceive(int) {}
void CAsyncSocket::OnSend(int) {}
void CAsyncSocket::OnOutOfBandData(int) {}
void CAsyncSocket::OnAccept(int) {}
void CAsyncSocket::OnConnect(int) {}
void CAsyncSocket::OnClose(int) {}

void CAsyncSocket::DispatchNotification(long event, int errorCode) {
  switch (event) {
    case FD_READ: OnReceive(errorCode); break;
    case FD_WRITE: OnSend(errorCode); break;
    case FD_OOB: OnOutOfBandData(errorCode); break;
    case FD_ACCEPT: OnAccept(errorCode); break;
    case FD_CONNECT: OnConnect(errorCode); break;
    case FD_CLOSE: OnClose(errorCode); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------------
// CSocket

CSocket::CSocket() : m_nTimeOut(2000), m_pbBlocking(nullptr), m_nConnectError(-1) {}

CSocket::~CSocket() {
  if (m_hSocket != INVALID_SOCKET) CSocket::Close();
}

void CSocket::CancelBlockingCall() {
  if (m_pbBlocking) {
    *m_pbBlocking = FALSE;
    m_pbBlocking = nullptr;
  }
}

void CSocket::Close() {
  CancelBlockingCall();
  CAsyncSocket::Close();
}

int CSocket::Receive(void* buffer, int length, int flags) {
  if (m_pbBlocking) {
    WSASetLastError(WSAEINPROGRESS);
    return SOCKET_ERROR;
  }
  for (;;) {
    int received = CAsyncSocket::Receive(buffer, length, flags);
    if (received != SOCKET_ERROR) return received;
    if (WSAGetLastError() != WSAEWOULDBLOCK || !PumpMessages(FD_READ)) return SOCKET_ERROR;
  }
}

int CSocket::Send(const void* buffer, int length, int flags) {
  if (m_pbBlocking) {
    WSASetLastError(WSAEINPROGRESS);
    return SOCKET_ERROR;
  }
  const char* next = static_cast<const char*>(buffer);
  int left = length;
  while (left > 0) {
    int sent = CAsyncSocket::Send(next, left, flags);
    if (sent == SOCKET_ERROR) {
      if (WSAGetLastError() != WSAEWOULDBLOCK || !PumpMessages(FD_WRITE)) return SOCKET_ERROR;
      continue;
    }
    next += sent;
    left -= sent;
  }
  return length;
}

BOOL CSocket::ConnectHelper(const SOCKADDR* address, int addressLength) {
  if (m_pbBlocking) {
    WSASetLastError(WSAEINPROGRESS);
    return FALSE;
  }
  m_nConnectError = -1;
  if (CAsyncSocket::ConnectHelper(address, addressLength)) return TRUE;
  if (WSAGetLastError() != WSAEWOULDBLOCK) return FALSE;
  // The connect ends with its FD_CONNECT notification; the periodic wake-ups only
  // keep the pump alive, so this waits as long as the system's own attempt does.
  while (m_nConnectError == -1)
    if (!PumpMessages(FD_CONNECT)) return FALSE;
  if (m_nConnectError != 0) {
    WSASetLastError(m_nConnectError);
    return FALSE;
  }
  return TRUE;
}

BOOL CSocket::OnMessagePending() {
  MSG msg;
  if (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
    DispatchMessageW(&msg);
    return TRUE;
  }
  return FALSE;
}

BOOL CSocket::PumpMessages(UINT stopEvent) {
  HWND window = SocketWindow();
  if (!window) {
    WSASetLastError(WSANOTINITIALISED);
    return FALSE;
  }
  // Each blocked socket has its own timer, so a wait nested in a paint handler does
  // not reset the outer one's.
  const UINT_PTR timerId = reinterpret_cast<UINT_PTR>(this);
  if (!SetTimer(window, timerId, m_nTimeOut, nullptr)) {
    WSASetLastError(WSAENOBUFS);
    return FALSE;
  }
  BOOL blocking = TRUE;
  m_pbBlocking = &blocking;
  const SOCKET self = m_hSocket;
  std::vector<MSG> deferred;  // notifications for others, handed back after the wait
  while (blocking) {
    MSG msg;
    if (PeekMessageW(&msg, window, kSocketNotify, kSocketNotify, PM_REMOVE)) {
      if (static_cast<SOCKET>(msg.wParam) == self) {
        UINT event = WSAGETSELECTEVENT(msg.lParam);
        int error = WSAGETSELECTERROR(msg.lParam);
        if (event == FD_CLOSE) {
          // A connection closed before its FD_CONNECT has failed.
          if (stopEvent == FD_CONNECT) m_nConnectError = error ? error : WSAECONNRESET;
          break;
        }
        if (event == stopEvent) {
          if (stopEvent == FD_CONNECT) m_nConnectError = error;
          break;
        }
      }
      deferred.push_back(msg);
      continue;
    }
    if (PeekMessageW(&msg, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
      if (msg.wParam == timerId) break;
      deferred.push_back(msg);
      continue;
    }
    if (OnMessagePending()) continue;
    // A message that arrives between two of the filtered looks above counts as seen,
    // and WaitMessage would then sleep through it until the next wake-up. So the
    // wait is short and the looks are simply repeated.
    MsgWaitForMultipleObjectsEx(0, nullptr, kPumpPollMs, QS_ALLINPUT, 0);
  }
  KillTimer(window, timerId);
  for (const MSG& m : deferred) PostMessageW(window, m.message, m.wParam, m.lParam);
  if (!blocking) {  // CancelBlockingCall (or Close) ran meanwhile
    WSASetLastError(WSAEINTR);
    return FALSE;
  }
  m_pbBlocking = nullptr;
  return TRUE;
}
