#include "StartupDiscovery.h"

#include <winsock2.h>

bool InitSockets() {
  WSADATA data{};
  return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

// The network discovery is not linked in yet: the list stays empty and the
// network-search page relies on its own Search.
void RunStartupDiscovery(PrintServerList& servers) { servers.clear(); }
