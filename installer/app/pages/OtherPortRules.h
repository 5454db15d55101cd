// The other-connection page's rules, free of Windows calls: the accepted form of a
// UNC name, the splitting of a URL into the host and port to probe, the checks of
// the four connection kinds before the page is left, and the finding of a port that
// a port monitor has just made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "SetupText.h"

// The four ways of giving the one connection.
enum class ConnectionKind {
  UncName,       // two backslashes, a server, a backslash, a queue
  Url,           // a printer on the Internet or an office network
  ExistingPort,  // a local port the spooler has
  NewPort,       // a port made by a port monitor's own dialog
};

// The server part of a UNC name of the accepted form: exactly three backslashes,
// the first of them the first character, and the first backslash at or after
// position 2 not the last character. The server is the text from position 2 up to
// that backslash and may be empty. False (and server empty) for any other form.
bool UncServerPart(const std::u16string& text, std::u16string& server);

// The pieces of a URL that the page probes. The URL is split as 8-bit text.
struct UrlParts {
  std::string scheme;  // the text before the first "://" (empty without one)
  std::string host;
  bool hasPort = false;
  // The digits after the host's ":" read as a number; any value above 65535 reads
  // as 65536 (so an endless run of digits cannot overflow).
  uint32_t port = 0;
};
UrlParts SplitUrl(const std::string& url);

// The TCP port to probe for a URL: its own port (1 to 65535), else 80 for "http" and
// 631 for "ipp" (scheme compared without case). 0 when there is nothing sound to
// probe: port 0 or above 65535, or no port with any other scheme.
int ProbePortOf(const UrlParts& url);

// What the checks need from the network.
class ConnectionProbe {
public:
  virtual ~ConnectionProbe() = default;
  // One ICMP echo of host; true when it answered.
  virtual bool Echo(const std::u16string& host) = 0;
  // A TCP connection to host:port can be opened (host in the ANSI code page).
  virtual bool Connect(const std::string& host, int port) = 0;
  // Text in the system's ANSI code page.
  virtual std::string ToAnsi(const std::u16string& text) = 0;
};

// True when the text names a server of the accepted form that answers the echo.
// server receives the server part (empty when the form is wrong); an empty server
// part is never echoed (the empty name would resolve to this computer).
bool ParseUncServer(const std::u16string& text, std::u16string& server, ConnectionProbe& probe);

// Why a connection choice is refused; each has its own message.
enum class PortRefusal {
  None,
  NotAPort,            // "This is not a valid printer port."
  ServerUnreachable,   // "Could not connect to:" and the server name in quotes
  CannotConnect,       // "Could not connect to the printer."
  NameEmpty,           // "Please choose a valid printer name."
  NameTooLong,         // "This is not a valid printer name. It has too many characters."
};

// The field whose text is selected and focused after a refusal.
enum class PortField { None, UncName, Url, PortList, PrinterName };

struct PortChoice {
  ConnectionKind kind = ConnectionKind::UncName;
  std::u16string uncText;       // the UNC field as typed
  std::u16string urlText;       // the URL field as typed
  bool portSelected = false;    // the port list has a selected item
  std::u16string selectedPort;  // its text
  bool basedMode = false;       // the page then also takes the printer name
  std::u16string printerName;
  twk::setup::WindowsKind windows;  // decides the longest printer name
};

struct PortVerdict {
  bool accepted = false;
  // The single port as the checks leave it (the trimmed UNC name or URL, or the
  // existing port); valid when singlePortSet.
  bool singlePortSet = false;
  std::u16string singlePort;
  PortRefusal refusal = PortRefusal::None;
  std::u16string server;  // the server named by ServerUnreachable
  PortField focus = PortField::None;
};

// The checks of a connection choice before the page is left. A new port is made only
// after the checks (it needs no check here).
PortVerdict CheckPortChoice(const PortChoice& choice, ConnectionProbe& probe);

// The message for an unreachable UNC server: the page's text, a blank and the
// server name between double quotation marks.
std::u16string ServerUnreachableMessage(const std::u16string& text, const std::u16string& server);

// What making a new port needs from the spooler.
class PortMaker {
public:
  virtual ~PortMaker() = default;
  // Lets the monitor's own dialog make a port; false when it failed or the user
  // cancelled.
  virtual bool AddPortWithMonitor(const std::u16string& monitor) = 0;
  // The local ports, in the spooler's order.
  virtual std::vector<std::u16string> PortNames() = 0;
};

// Makes a port with the monitor and finds it: every port name that `before` does
// not hold (compared exactly) becomes singlePort in turn, so the last new name in
// the spooler's order wins. True when a new name was found. Without a monitor
// (none listed) nothing is tried and the answer is false; singlePort keeps its value
// whenever no new name is found.
bool MakeNewPort(PortMaker& maker, const std::u16string& monitor,
                 const std::vector<std::u16string>& before, std::u16string& singlePort);
