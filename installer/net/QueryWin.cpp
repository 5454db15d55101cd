// The print-server queries over the class library's sockets.
#include <memory>

#include "NetText.h"
#include "PrintServerNet.h"
#include "Query.h"
#include "TimeoutableSocket.h"

namespace {

constexpr UINT kQuerySocketTimeOutMs = 3000;

class SocketConnection : public ServerConnection {
public:
  CTimeoutableSocket socket;
  void Send(const char* data, int length) override { socket.Send(data, length); }
  int Receive(char* buffer, int length) override { return socket.Receive(buffer, length); }
};

class WindowsQueryPlatform : public QueryPlatform {
public:
  void Resolve(const std::u16string& name, PrintServer& record) override {
    ResolveHost(name, record);
  }
  std::unique_ptr<ServerConnection> Connect(const std::u16string& address,
                                            uint16_t port) override {
    auto connection = std::make_unique<SocketConnection>();
    connection->socket.m_nTimeOut = kQuerySocketTimeOutMs;
    connection->socket.m_nReceiveTimeOut = kQuerySocketTimeOutMs;
    if (!connection->socket.Create(0, SOCK_STREAM, CAsyncSocket::kAllEvents, nullptr) ||
        !connection->socket.Connect(W(address), port))
      return nullptr;
    return connection;
  }
  uint32_t TickCount() override { return GetTickCount(); }
  std::u16string DecodeAnsi(const std::string& bytes) override { return FromAnsi(bytes); }
};

}  // namespace

bool QueryPrintServer(const std::u16string& name, PrintServer& record) {
  WindowsQueryPlatform platform;
  return QueryPrintServerOn(platform, name, record);
}
