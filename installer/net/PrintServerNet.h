// The installer's network operations (Windows only): host resolution, the TCP connect
// probe, the ICMP echo, the print-server queries and the discovery broadcast. All of
// them block the calling thread; the TCP ones need AfxSocketInit on that thread.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "PrintServer.h"

// Host name and dotted IPv4 address of a name or dotted address; when it does not
// resolve, both are the name itself and the result is false.
bool ResolveHost(const std::u16string& name, PrintServer& record);

// True when a TCP connection to host:port can be opened (nothing is sent). host is in
// the ANSI code page.
bool CanConnect(const char* host, int port);

// Written by PingHost on success only.
struct PingResult {
  uint32_t address;      // the address that answered, as the echo reply carries it
  uint32_t roundTripMs;
};

// Starts Windows Sockets 1.1 and finds the three entry points of ICMP.DLL, the first
// time only; later calls only report whether the entry points are there.
bool InitIcmp();

// One echo of 32 bytes 'E' (time-to-live 10, 3000 ms). True when exactly one good
// reply came back. On false the thread's last error is the reply's status, 59
// (ERROR_UNEXP_NET_ERR) for a wrong reply, or what the echo call left.
bool PingHost(const std::u16string& host, PingResult& result);

// Exit-time clean-up of InitIcmp, for the program to register at start: frees
// ICMP.DLL and ends its Windows Sockets use when it was started. Runs once.
void NetworkExitCleanup();

// Resolves name, gives the record the queues "Hold" and "Normal", and asks the server
// on port 80 for its queues and its own name. True when the queue-list connection
// could be made; the record is filled as far as the steps got.
bool QueryPrintServer(const std::u16string& name, PrintServer& record);

// Sends the 19 probe bytes to destination.
void SendProbe(SOCKET socket, const sockaddr_in& destination);

// Broadcasts the probe twice to 255.255.255.255:2288, queries every server that
// answers, and leaves them sorted by display name in servers. False (and an empty
// list) when the broadcast socket cannot be set up.
bool DiscoverPrintServers(PrintServerList& servers);
