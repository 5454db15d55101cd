#include "StartupDiscovery.h"

#include <memory>

#include "CSocket.h"
#include "PrintServerNet.h"

// Also makes the calling thread's socket window: call it on the thread that then uses
// sockets.
bool InitSockets() { return AfxSocketInit() != FALSE; }

void RunStartupDiscovery(PrintServerList& servers) { DiscoverPrintServers(servers); }

DWORD WINAPI DiscoveryThread(LPVOID parameter) {
  // The thread's own share of the thread server list: it keeps the list alive until
  // the thread ends, whatever happens to the application object at exit.
  std::unique_ptr<std::shared_ptr<PrintServerList>> servers(
      static_cast<std::shared_ptr<PrintServerList>*>(parameter));
  try {
    if (servers && *servers && InitSockets()) RunStartupDiscovery(**servers);
  } catch (...) {
    // Nothing leaves a thread's start routine; the list then holds what was found.
  }
  return 0;
}
