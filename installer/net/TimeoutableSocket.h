// CTimeoutableSocket: the class library's blocking TCP socket with a receive that gives
// up after its own time-out (Windows only).
#pragma once

#include "CSocket.h"

class CTimeoutableSocket : public CSocket {
public:
  CTimeoutableSocket() = default;
  ~CTimeoutableSocket() override;

  // Receive time-out in milliseconds; 0 waits without limit. The wait wakes up every
  // m_nTimeOut milliseconds to look at it, so with both at 3000 a silent peer makes a
  // receive fail after about 3 s, at most about 6 s.
  UINT m_nReceiveTimeOut = 0;

  // Bytes received, 0 when the peer closed the connection, SOCKET_ERROR (-1) on error,
  // on time-out and when another blocking call runs on this socket (WSAEINPROGRESS).
  int Receive(void* buffer, int length, int flags = 0) override;
};
