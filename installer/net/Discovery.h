// The print-server discovery protocol and its receive loop, free of any Windows call.
//
// Probe: the 19 ASCII bytes "TAVIK Quorvane Vrik" (no terminator), broadcast to UDP
// port 2288. A reply counts when it is exactly 38 bytes long and starts with
// "TAVIK Quorvane" and a zero byte; bytes 21 to 24 carry the server's IPv4 address,
// first octet first. The reply's own source address is not used.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "PrintServer.h"

constexpr char kDiscoveryProbe[] = "TAVIK Quorvane Vrik";
constexpr int kDiscoveryProbeLength = 19;
static_assert(sizeof kDiscoveryProbe - 1 == kDiscoveryProbeLength, "probe without terminator");
constexpr uint16_t kDiscoveryPort = 2288;
constexpr int kDiscoveryReplyLength = 38;
// Room for one byte more than a good reply, so a longer datagram shows as too long
// whether the platform truncates it or reports an error.
constexpr int kDiscoveryReadLength = kDiscoveryReplyLength + 1;

// received: the byte count the read reported (negative on error). True for a good
// reply; *dotted is then the server's address as "%d.%d.%d.%d".
bool ParseDiscoveryReply(const unsigned char* data, int received, std::u16string* dotted);

// Sorts by display name, ascending by UTF-16 code unit; equal names keep their order.
void SortServersByDisplayName(PrintServerList& servers);

// The broadcast socket as the receive loop uses it.
class DiscoveryChannel {
public:
  virtual ~DiscoveryChannel() = default;
  virtual void SendProbe() = 0;
  // True when a datagram can be read within timeoutMs; false on time-out or error.
  virtual bool WaitReadable(uint32_t timeoutMs) = 0;
  // Reads one datagram of at most length bytes; the byte count, or -1 on error.
  virtual int ReadDatagram(unsigned char* buffer, int length) = 0;
};

// Fills one new record for a server found at the dotted address.
using ServerQuery = std::function<void(const std::u16string& dotted, PrintServer& record)>;

// Two passes, each: send the probe, then up to 10 waits (1.5 s first, 0.5 s after),
// each wait reading one datagram; a wait without a datagram ends the pass. Every
// new server is queried at once and appended whatever the query found; a server
// whose address is already listed (as address or host name) is not queried again.
// At the end the list is sorted by display name. The list is emptied first.
void RunDiscovery(DiscoveryChannel& channel, const ServerQuery& query, PrintServerList& servers);

constexpr int kDiscoveryPasses = 2;
constexpr int kDiscoveryWaitsPerPass = 10;
constexpr uint32_t kDiscoveryFirstWaitMs = 1500;
constexpr uint32_t kDiscoveryNextWaitMs = 500;
