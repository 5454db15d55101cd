#include "TimeoutableSocket.h"

#include "Query.h"

CTimeoutableSocket::~CTimeoutableSocket() = default;

int CTimeoutableSocket::Receive(void* buffer, int length, int flags) {
  const DWORD start = GetTickCount();
  if (IsBlocking()) {
    WSASetLastError(WSAEINPROGRESS);
    return SOCKET_ERROR;
  }
  for (;;) {
    int received = CAsyncSocket::Receive(buffer, length, flags);
    if (received != SOCKET_ERROR) return received;
    if (WSAGetLastError() != WSAEWOULDBLOCK) return SOCKET_ERROR;
    if (!PumpMessages(FD_READ)) return SOCKET_ERROR;
    if (m_nReceiveTimeOut != 0 && TickDifference(start, GetTickCount()) > m_nReceiveTimeOut) {
      WSASetLastError(WSAETIMEDOUT);
      return SOCKET_ERROR;
    }
  }
}
