// Host resolution, the TCP connect probe and the ICMP echo.
#include <winsock2.h>
#include <windows.h>
#include <ipexport.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "NetText.h"
#include "PrintServerNet.h"
#include "TimeoutableSocket.h"

namespace {

// The first address of a host entry, when the entry holds IPv4 addresses of 4 bytes;
// any other kind of entry does not fit an in_addr.
bool FirstIpv4(const hostent* entry, in_addr* address) {
  if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list ||
      !entry->h_addr_list[0])
    return false;
  std::memcpy(address, entry->h_addr_list[0], 4);
  return true;
}

// The IPv4 address of a dotted address or a name, in network order.
bool HostAddress(const std::string& host, in_addr* address) {
  address->s_addr = inet_addr(host.c_str());
  if (address->s_addr != INADDR_NONE) return true;
  return FirstIpv4(gethostbyname(host.c_str()), address);
}

typedef HANDLE(WINAPI* IcmpCreateFileFn)();
typedef DWORD(WINAPI* IcmpSendEchoFn)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION,
                                      LPVOID, DWORD, DWORD);
typedef BOOL(WINAPI* IcmpCloseHandleFn)(HANDLE);

template <typename Fn>
Fn EntryPoint(HMODULE module, const char* name) {
  // Through void(*)(): GetProcAddress's own type says nothing about the real one.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct IcmpState {
  std::mutex lock;
  bool attempted = false;
  bool socketsStarted = false;  // our WSAStartup succeeded and awaits its WSACleanup
  bool cleanedUp = false;
  HMODULE module = nullptr;
  IcmpCreateFileFn createFile = nullptr;
  IcmpSendEchoFn sendEcho = nullptr;
  IcmpCloseHandleFn closeHandle = nullptr;
};
IcmpState g_icmp;

constexpr WORD kEchoDataBytes = 32;
constexpr unsigned char kEchoByte = 'E';
constexpr UCHAR kEchoTtl = 10;
constexpr DWORD kEchoTimeoutMs = 3000;
// One reply record, its data, and the 8 bytes of an ICMP error message that the echo
// call may write besides.
constexpr DWORD kEchoReplyBytes = sizeof(ICMP_ECHO_REPLY) + kEchoDataBytes + 8;
static_assert(sizeof(ICMP_ECHO_REPLY) == (sizeof(void*) == 8 ? 40 : 28), "echo reply layout");

}  // namespace

bool ResolveHost(const std::u16string& name, PrintServer& record) {
  std::string host = ToAnsi(name);
  in_addr dotted;
  dotted.s_addr = inet_addr(host.c_str());
  const hostent* entry = dotted.s_addr != INADDR_NONE
                             ? gethostbyaddr(reinterpret_cast<const char*>(&dotted), 4, AF_INET)
                             : gethostbyname(host.c_str());
  in_addr first;
  if (FirstIpv4(entry, &first)) {
    record.hostName = FromAnsi(entry->h_name);
    record.ipAddress = FromAnsi(inet_ntoa(first));
    return true;
  }
  record.hostName = name;
  record.ipAddress = name;
  return false;
}

bool CanConnect(const char* host, int port) {
  if (!host) return false;
  CTimeoutableSocket socket;
  socket.m_nTimeOut = 3000;
  socket.m_nReceiveTimeOut = 3000;
  if (!socket.Create(0, SOCK_STREAM, CAsyncSocket::kAllEvents, nullptr)) return false;
  std::u16string wide = FromAnsi(host);
  if (!socket.Connect(W(wide), UINT(port))) return false;
  socket.Close();
  return true;
}

bool InitIcmp() {
  std::lock_guard<std::mutex> lock(g_icmp.lock);
  if (!g_icmp.attempted) {
    g_icmp.attempted = true;
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return false;
    g_icmp.socketsStarted = true;
    g_icmp.module = LoadLibraryW(L"ICMP.DLL");
    if (!g_icmp.module) return false;
    g_icmp.createFile = EntryPoint<IcmpCreateFileFn>(g_icmp.module, "IcmpCreateFile");
    g_icmp.sendEcho = EntryPoint<IcmpSendEchoFn>(g_icmp.module, "IcmpSendEcho");
    g_icmp.closeHandle = EntryPoint<IcmpCloseHandleFn>(g_icmp.module, "IcmpCloseHandle");
  }
  return g_icmp.createFile && g_icmp.sendEcho && g_icmp.closeHandle;
}

void NetworkExitCleanup() {
  std::lock_guard<std::mutex> lock(g_icmp.lock);
  if (g_icmp.cleanedUp) return;
  g_icmp.cleanedUp = true;
  g_icmp.attempted = true;  // no set-up after the clean-up
  if (g_icmp.module) {
    FreeLibrary(g_icmp.module);
    g_icmp.module = nullptr;
  }
  g_icmp.createFile = nullptr;
  g_icmp.sendEcho = nullptr;
  g_icmp.closeHandle = nullptr;
  if (g_icmp.socketsStarted) {
    g_icmp.socketsStarted = false;
    WSACleanup();
  }
}

bool PingHost(const std::u16string& host, PingResult& result) {
  if (!InitIcmp()) return false;
  in_addr address;
  if (!HostAddress(ToAnsi(host), &address)) return false;
  HANDLE icmp = g_icmp.createFile();
  if (icmp == INVALID_HANDLE_VALUE || icmp == nullptr) return false;

  unsigned char request[kEchoDataBytes];
  std::memset(request, kEchoByte, sizeof request);
  IP_OPTION_INFORMATION options = {};
  options.Ttl = kEchoTtl;
  alignas(8) unsigned char replyBuffer[kEchoReplyBytes] = {};
  DWORD replies = g_icmp.sendEcho(icmp, address.s_addr, request, kEchoDataBytes, &options,
                                  replyBuffer, kEchoReplyBytes, kEchoTimeoutMs);
  bool good = false;
  if (replies == 1) {
    const ICMP_ECHO_REPLY* reply = reinterpret_cast<const ICMP_ECHO_REPLY*>(replyBuffer);
    const unsigned char* data = static_cast<const unsigned char*>(reply->Data);
    const uintptr_t at = reinterpret_cast<uintptr_t>(data);
    const uintptr_t begin = reinterpret_cast<uintptr_t>(replyBuffer);
    const bool dataInBuffer = at >= begin && at - begin <= sizeof replyBuffer - kEchoDataBytes;
    if (reply->Status != IP_SUCCESS) {
      SetLastError(reply->Status);
    } else if (reply->DataSize != kEchoDataBytes || !dataInBuffer ||
               std::any_of(data, data + kEchoDataBytes,
                           [](unsigned char b) { return b != kEchoByte; })) {
      SetLastError(ERROR_UNEXP_NET_ERR);
    } else {
      good = true;
      result.address = reply->Address;
      result.roundTripMs = reply->RoundTripTime;
    }
  } else if (replies > 1) {
    SetLastError(ERROR_UNEXP_NET_ERR);
  }
  // Closing the handle must not change the last error the echo left.
  DWORD error = GetLastError();
  g_icmp.closeHandle(icmp);
  SetLastError(error);
  return good;
}
