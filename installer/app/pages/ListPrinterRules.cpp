#include "ListPrinterRules.h"

#include <algorithm>

#include "OtherPortRules.h"
#include "SetupText.h"

namespace {

bool StartsWith(const std::u16string& text, const std::u16string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The text after `scheme` up to the first `end` after it; false without `end`.
bool HostBefore(const std::u16string& name, const std::u16string& scheme, const std::u16string& end,
                std::u16string& host) {
  const size_t stop = name.find(end, scheme.size());
  if (stop == std::u16string::npos) return false;
  host = name.substr(scheme.size(), stop - scheme.size());
  return true;
}

bool CutHost(const std::u16string& name, std::u16string& host) {
  if (std::count(name.begin(), name.end(), u'\\') == 3) return UncServerPart(name, host);
  if (StartsWith(name, u"http://")) return HostBefore(name, u"http://", u":631/printers", host);
  if (StartsWith(name, u"ipp://")) return HostBefore(name, u"ipp://", u"/printers", host);
  if (name.find(u"http://") != std::u16string::npos) return false;
  const size_t colon = name.find(u':');
  if (name.find(u':', 1) == std::u16string::npos || colon + 1 == name.size()) return false;
  const std::u16string lpr = u"lpr:";
  if (StartsWith(name, lpr)) {
    const size_t stop = name.find(u':', lpr.size() + 1);
    if (stop == std::u16string::npos) return false;
    host = name.substr(lpr.size(), stop - lpr.size());
    return true;
  }
  if (name.find(lpr) != std::u16string::npos) return false;
  host = name.substr(0, colon);
  return true;
}

}  // namespace

bool PortHostCandidateOf(const std::u16string& portName, PortHostCandidate& candidate) {
  candidate = PortHostCandidate();
  const std::u16string name = twk::setup::ToLowerAscii(portName);
  std::u16string host;
  if (!CutHost(name, host) || host.empty()) return false;
  candidate.host = host;
  candidate.needsEcho = std::count(name.begin(), name.end(), u'\\') == 3;
  return true;
}

bool ParsePortHost(const std::u16string& portName, std::u16string& host, const EchoFunction& echo) {
  host.clear();
  PortHostCandidate candidate;
  if (!PortHostCandidateOf(portName, candidate)) return false;
  if (candidate.needsEcho && !(echo && echo(candidate.host))) return false;
  host = candidate.host;
  return true;
}
