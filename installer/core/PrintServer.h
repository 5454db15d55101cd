// One print server found on the network or typed by the user. Portable, so that
// the queries, the discovery and the sorting of server lists build natively too.
#pragma once

#include <string>
#include <vector>

struct PrintServer {
  std::vector<std::u16string> queueNames;  // in the order the server listed them
  std::u16string displayName;              // name the server is listed and sorted by
  std::u16string hostName;                 // host name after resolution
  std::u16string ipAddress;                // dotted IPv4 text
};

using PrintServerList = std::vector<PrintServer>;
