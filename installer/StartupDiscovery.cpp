#include "StartupDiscovery.h"

#include "CSocket.h"
#include "PrintServerNet.h"

// Also makes the calling thread's socket window: call it on the thread that then uses
// sockets.
bool InitSockets() { return AfxSocketInit() != FALSE; }

void RunStartupDiscovery(PrintServerList& servers) { DiscoverPrintServers(servers); }
