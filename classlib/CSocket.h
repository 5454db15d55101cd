// CAsyncSocket and CSocket: the Windows Sockets classes of our small class library
// (Windows builds only).
//
// CAsyncSocket wraps one SOCKET whose network events (FD_READ, FD_CLOSE, ...) are
// delivered with WSAAsyncSelect to a hidden message-only window of the thread that
// created the socket, and from there to the virtual On... handlers.
//
// CSocket is the blocking kind: Connect, Send and Receive return only when done. While
// one of them waits, the thread runs a small message pump that takes the socket
// notifications from the socket window, wakes up every m_nTimeOut milliseconds, and
// dispatches nothing but WM_PAINT, so windows repaint but the user's input waits.
// Only one blocking call may run on a socket at a time; another one started meanwhile
// (from a paint handler) fails at once with WSAEINPROGRESS.
//
// A socket must be used on the thread that created it, and AfxSocketInit must have
// succeeded before the first socket is made.
#pragma once

#include <winsock2.h>
#include <windows.h>

// Starts Windows Sockets 1.1 for the process (until it has once succeeded; later calls
// only report that) and prepares the calling thread's socket window. WSACleanup runs once at
// exit, and only when the start-up succeeded.
BOOL AfxSocketInit(WSADATA* data = nullptr);

class CAsyncSocket {
public:
  enum { receives = 0, sends = 1, both = 2 };
  static const long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

  CAsyncSocket();
  virtual ~CAsyncSocket();
  CAsyncSocket(const CAsyncSocket&) = delete;
  CAsyncSocket& operator=(const CAsyncSocket&) = delete;

  SOCKET m_hSocket;
  operator SOCKET() const { return m_hSocket; }

  // Socket + Bind: any local port (0) and any address (nullptr) by default.
  BOOL Create(UINT socketPort = 0, int socketType = SOCK_STREAM, long events = kAllEvents,
              LPCWSTR socketAddress = nullptr);
  BOOL Socket(int socketType = SOCK_STREAM, long events = kAllEvents, int protocol = 0,
              int family = AF_INET);
  BOOL Bind(UINT socketPort, LPCWSTR socketAddress = nullptr);
  BOOL AsyncSelect(long events = kAllEvents);

  // host is a dotted IPv4 address or a name (resolved to its first IPv4 address).
  BOOL Connect(LPCWSTR hostAddress, UINT hostPort);
  BOOL Connect(const SOCKADDR* address, int addressLength);

  virtual int Receive(void* buffer, int length, int flags = 0);
  virtual int Send(const void* buffer, int length, int flags = 0);
  virtual void Close();
  BOOL ShutDown(int how = sends);

  BOOL SetSockOpt(int optionName, const void* value, int valueLength, int level = SOL_SOCKET);
  BOOL GetSockOpt(int optionName, void* value, int* valueLength, int level = SOL_SOCKET);

  static int GetLastError() { return WSAGetLastError(); }

  // Notification handlers, called from the socket window for sockets that are not
  // blocked in a CSocket call.
  virtual void OnReceive(int errorCode);
  virtual void OnSend(int errorCode);
  virtual void OnOutOfBandData(int errorCode);
  virtual void OnAccept(int errorCode);
  virtual void OnConnect(int errorCode);
  virtual void OnClose(int errorCode);

  // Called by the socket window for one notification.
  void DispatchNotification(long event, int errorCode);

  // The calling thread's socket window (made on first use), or nullptr.
  static HWND SocketWindow();

protected:
  virtual BOOL ConnectHelper(const SOCKADDR* address, int addressLength);
};

class CSocket : public CAsyncSocket {
public:
  CSocket();
  ~CSocket() override;

  // Period in milliseconds after which a blocked call wakes up to look at its state.
  UINT m_nTimeOut;

  BOOL IsBlocking() const { return m_pbBlocking != nullptr; }
  // Ends the blocking call in progress; it fails with WSAEINTR.
  void CancelBlockingCall();

  int Receive(void* buffer, int length, int flags = 0) override;
  // Sends all bytes, waiting while the connection cannot take more.
  int Send(const void* buffer, int length, int flags = 0) override;
  void Close() override;

protected:
  BOOL ConnectHelper(const SOCKADDR* address, int addressLength) override;
  // Waits until the notification stopEvent (or FD_CLOSE) for this socket arrives, or
  // m_nTimeOut passes. FALSE when the wait was cancelled (error WSAEINTR) or could not
  // be set up.
  BOOL PumpMessages(UINT stopEvent);
  // Hands out the one kind of message a blocked call lets through: WM_PAINT. TRUE when
  // a message was dispatched.
  virtual BOOL OnMessagePending();

  BOOL* m_pbBlocking;
  int m_nConnectError;
};
