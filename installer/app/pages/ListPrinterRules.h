// The installed-printer page's rules, free of Windows calls: which print-server host
// an installed printer's port names.
#pragma once

#include <functional>
#include <string>

// One ICMP echo of a host; true when it answered.
using EchoFunction = std::function<bool(const std::u16string& host)>;

// The host a port name names, before any echo: the port name is lower-cased (so the
// host is too) and the first rule that applies decides:
//   1. exactly three backslashes: the server part of the UNC form (it must answer
//      an echo to count, needsEcho);
//   2. "http://host:631/printers...";  3. "ipp://host/printers...";
//   4. "http://" anywhere else: none;
//   5. a ":" after the first character that is not the last character:
//      "lpr:host:..." (none when "lpr:" stands elsewhere), else the text before the
//      first ":";
//   6. anything else: none.
// An empty host part is no host. False when the port names no host.
struct PortHostCandidate {
  std::u16string host;
  bool needsEcho = false;
};
bool PortHostCandidateOf(const std::u16string& portName, PortHostCandidate& candidate);

// The host of a port name (emptied first). True when one was found and, for the UNC
// form, it answered the echo; only that form is echoed.
bool ParsePortHost(const std::u16string& portName, std::u16string& host, const EchoFunction& echo);
