#include "OtherPortRules.h"

#include <algorithm>

#include "PageText.h"
#include "PrinterNameRules.h"

namespace {

constexpr uint32_t kPortBeyondRange = 65536;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool EqualNoCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (LowerAscii(a[i]) != b[i]) return false;
  return i == a.size() && !b[i];
}

}  // namespace

bool UncServerPart(const std::u16string& text, std::u16string& server) {
  server.clear();
  if (std::count(text.begin(), text.end(), u'\\') != 3 || text[0] != u'\\') return false;
  // Three backslashes with the first at position 0 make the text at least 3 long.
  const size_t k = text.find(u'\\', 2);
  if (k == std::u16string::npos || k + 1 == text.size()) return false;
  server = text.substr(2, k - 2);
  return true;
}

UrlParts SplitUrl(const std::string& url) {
  UrlParts parts;
  std::string rest = url;
  const size_t marker = url.find("://");
  if (marker != std::string::npos && marker > 0) {
    parts.scheme = url.substr(0, marker);
    rest = url.substr(marker + 3);
  }
  const size_t colon = rest.find(':');
  if (colon != std::string::npos && colon > 0) {
    parts.host = rest.substr(0, colon);
    uint32_t value = 0;
    size_t i = colon + 1;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) {
      parts.hasPort = true;
      if (value < kPortBeyondRange) value = std::min<uint32_t>(value * 10 + uint32_t(rest[i] - '0'), kPortBeyondRange);
    }
    parts.port = value;
  } else {
    const size_t slash = rest.find('/');
    parts.host = slash != std::string::npos && slash > 0 ? rest.substr(0, slash) : rest;
  }
  return parts;
}

int ProbePortOf(const UrlParts& url) {
  if (url.hasPort) return url.port >= 1 && url.port <= 65535 ? int(url.port) : 0;
  if (EqualNoCase(url.scheme, "http")) return 80;
  if (EqualNoCase(url.scheme, "ipp")) return 631;
  return 0;
}

bool ParseUncServer(const std::u16string& text, std::u16string& server, ConnectionProbe& probe) {
  if (!UncServerPart(text, server)) return false;
  return !server.empty() && probe.Echo(server);
}

std::u16string ServerUnreachableMessage(const std::u16string& text, const std::u16string& server) {
  return text + u" \"" + server + u"\"";
}

PortVerdict CheckPortChoice(const PortChoice& choice, ConnectionProbe& probe) {
  PortVerdict verdict;
  auto refuse = [&verdict](PortRefusal refusal, PortField field) {
    verdict.refusal = refusal;
    verdict.focus = field;
    return verdict;
  };
  switch (choice.kind) {
    case ConnectionKind::UncName: {
      verdict.singlePortSet = true;
      verdict.singlePort = TrimWhiteSpace(choice.uncText);
      std::u16string server;
      if (!ParseUncServer(verdict.singlePort, server, probe)) {
        if (server.empty()) return refuse(PortRefusal::NotAPort, PortField::UncName);
        verdict.server = server;
        return refuse(PortRefusal::ServerUnreachable, PortField::UncName);
      }
      break;
    }
    case ConnectionKind::Url: {
      verdict.singlePortSet = true;
      verdict.singlePort = TrimWhiteSpace(choice.urlText);
      if (verdict.singlePort.empty()) return refuse(PortRefusal::NotAPort, PortField::Url);
      const UrlParts url = SplitUrl(probe.ToAnsi(verdict.singlePort));
      const int port = ProbePortOf(url);
      // No sound port, or no host (an empty name would reach this computer): refused
      // without any connection attempt.
      if (port == 0 || url.host.empty() || !probe.Connect(url.host, port))
        return refuse(PortRefusal::CannotConnect, PortField::Url);
      break;
    }
    case ConnectionKind::ExistingPort:
      if (!choice.portSelected) return refuse(PortRefusal::NotAPort, PortField::PortList);
      verdict.singlePortSet = true;
      verdict.singlePort = choice.selectedPort;
      break;
    case ConnectionKind::NewPort:
      break;
  }
  if (choice.basedMode) {
    switch (CheckPrinterName(choice.printerName, choice.windows)) {
      case PrinterNameProblem::Empty:
        return refuse(PortRefusal::NameEmpty, PortField::PrinterName);
      case PrinterNameProblem::TooLong:
        return refuse(PortRefusal::NameTooLong, PortField::PrinterName);
      case PrinterNameProblem::None:
        break;
    }
  }
  verdict.accepted = true;
  return verdict;
}

bool MakeNewPort(PortMaker& maker, const std::u16string& monitor,
                 const std::vector<std::u16string>& before, std::u16string& singlePort) {
  if (monitor.empty() || !maker.AddPortWithMonitor(monitor)) return false;
  bool found = false;
  for (const std::u16string& name : maker.PortNames()) {
    if (std::find(before.begin(), before.end(), name) != before.end()) continue;
    singlePort = name;
    found = true;
  }
  return found;
}
