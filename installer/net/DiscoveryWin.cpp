// The discovery broadcast over a plain Windows Sockets datagram socket.
#include "Discovery.h"
#include "PrintServerNet.h"

namespace {

// Shuts the socket down and closes it on every way out.
class SocketCloser {
public:
  explicit SocketCloser(SOCKET s) : s_(s) {}
  ~SocketCloser() {
    shutdown(s_, SD_BOTH);
    closesocket(s_);
  }
  SocketCloser(const SocketCloser&) = delete;
  SocketCloser& operator=(const SocketCloser&) = delete;

private:
  SOCKET s_;
};

class BroadcastChannel : public DiscoveryChannel {
public:
  BroadcastChannel(SOCKET s, const sockaddr_in& destination) : s_(s), destination_(destination) {}
  void SendProbe() override { ::SendProbe(s_, destination_); }
  bool WaitReadable(uint32_t timeoutMs) override {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s_, &readable);
    timeval timeout;
    timeout.tv_sec = long(timeoutMs / 1000);
    timeout.tv_usec = long(timeoutMs % 1000) * 1000;
    return select(0, &readable, nullptr, nullptr, &timeout) > 0;
  }
  int ReadDatagram(unsigned char* buffer, int length) override {
    return recvfrom(s_, reinterpret_cast<char*>(buffer), length, 0, nullptr, nullptr);
  }

private:
  SOCKET s_;
  sockaddr_in destination_;
};

}  // namespace

void SendProbe(SOCKET socket, const sockaddr_in& destination) {
  int sent = 0;
  // Each round sends at least one byte, so this ends after at most 19 rounds.
  while (sent < kDiscoveryProbeLength) {
    int n = sendto(socket, kDiscoveryProbe + sent, kDiscoveryProbeLength - sent, 0,
                   reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
    if (n <= 0) return;
    sent += n;
  }
}

bool DiscoverPrintServers(PrintServerList& servers) {
  servers.clear();
  SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
  if (s == INVALID_SOCKET) return false;
  SocketCloser closer(s);
  int broadcast = 1;
  if (setsockopt(s, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&broadcast),
                 sizeof broadcast) == SOCKET_ERROR)
    return false;
  sockaddr_in destination = {};
  destination.sin_family = AF_INET;
  destination.sin_port = htons(kDiscoveryPort);
  destination.sin_addr.s_addr = htonl(INADDR_BROADCAST);
  BroadcastChannel channel(s, destination);
  RunDiscovery(channel,
               [](const std::u16string& dotted, PrintServer& record) {
                 QueryPrintServer(dotted, record);
               },
               servers);
  return true;
}
