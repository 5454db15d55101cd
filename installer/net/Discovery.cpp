#include "Discovery.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

bool ParseDiscoveryReply(const unsigned char* data, int received, std::u16string* dotted) {
  static const char kHead[] = "TAVIK Quorvane";  // 14 bytes, then the zero byte
  if (!data || received != kDiscoveryReplyLength) return false;
  if (std::memcmp(data, kHead, sizeof kHead) != 0) return false;  // sizeof includes the zero
  char text[16];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", data[21], data[22], data[23], data[24]);
  if (dotted) dotted->assign(text, text + std::strlen(text));
  return true;
}

void SortServersByDisplayName(PrintServerList& servers) {
  // char16_t compares as an unsigned code unit.
  std::stable_sort(servers.begin(), servers.end(),
                   [](const PrintServer& a, const PrintServer& b) {
                     return a.displayName < b.displayName;
                   });
}

void RunDiscovery(DiscoveryChannel& channel, const ServerQuery& query, PrintServerList& servers) {
  servers.clear();
  for (int pass = 0; pass < kDiscoveryPasses; ++pass) {
    channel.SendProbe();
    for (int wait = 0; wait < kDiscoveryWaitsPerPass; ++wait) {
      if (!channel.WaitReadable(wait == 0 ? kDiscoveryFirstWaitMs : kDiscoveryNextWaitMs)) break;
      unsigned char reply[kDiscoveryReadLength] = {};
      std::u16string dotted;
      if (!ParseDiscoveryReply(reply, channel.ReadDatagram(reply, kDiscoveryReadLength), &dotted))
        continue;
      bool known = std::any_of(servers.begin(), servers.end(), [&](const PrintServer& s) {
        return s.ipAddress == dotted || s.hostName == dotted;
      });
      if (known) continue;
      PrintServer record;
      if (query) query(dotted, record);
      servers.push_back(std::move(record));
    }
  }
  SortServersByDisplayName(servers);
}
