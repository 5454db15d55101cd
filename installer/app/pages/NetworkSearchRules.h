// The network-search page's rules (page 11): the radio that shows the stored choice,
// the take-over of the start-up discovery's list, which servers the list shows and
// which one is reselected, what counts as a valid server choice, and the connection to
// the chosen or typed server over a query that the Windows page supplies.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "PrintServer.h"
#include "TWKResource.h"

// The typed-name and other-connection choices show as stored; anything else shows the
// found-server radio.
int32_t SearchRadioToCheck(int32_t storedChoice);

// Once the start-up discovery has ended: the page's own list takes the thread's
// servers when it is empty and the thread found some. Answers whether it took them.
bool TakeOverThreadServers(PrintServerList& shown, const PrintServerList& thread);

// The positions in `servers` of the records the list shows, in list order: a record
// whose display name and IPv4 text (compared exactly) equal those of a record listed
// before it is left out.
std::vector<size_t> ServersToList(const PrintServerList& servers);

// The first item whose address column equals `address` exactly; -1 when there is
// none or the address is empty (nothing was chosen before).
int FindServerItem(const std::vector<std::u16string>& addressColumn, const std::u16string& address);

// What the page knows of its list's selection.
struct ServerListSelection {
  int itemCount = 0;
  int selected = -1;                   // -1: nothing selected
  const PrintServer* record = nullptr;  // the selected item's record; none for "No printers found"
  std::u16string addressColumn;        // the selected item's column-1 text
};

// The list has items, one is selected, it carries a record, and its address column is
// not empty and equals the record's IPv4 text.
bool IsValidServerChoice(const ServerListSelection& selection);

// Fills a record for a host name or address and answers whether the server could be
// reached (QueryPrintServer on Windows).
using ServerQuery = std::function<bool(const std::u16string& name, PrintServer& record)>;

enum class ConnectRefusal {
  None,
  NoServerChosen,  // "Please select a printer you want to use."
  EmptyName,       // "Please specify the network name or IP address of the printer ..."
  NoAnswer,        // "Could not connect to the printer."
};

struct ConnectResult {
  ConnectRefusal refusal = ConnectRefusal::None;
  // A server was asked: the state's server-answered flag takes `answered` (false
  // until the server has answered, also when it did not).
  bool asked = false;
  bool answered = false;
  // The found server's address when a valid found server was chosen: the state's
  // chosen-server field takes it before the server is asked.
  bool choseFoundServer = false;
  std::u16string chosenAddress;
  // The answering server, for the state's host name, address, display name and queues.
  PrintServer server;
};

// Radio 1040 asks the server named by the trimmed typed text and, when it answers,
// keeps that text as typed as its host name; any other radio asks the selected found
// server by its IPv4 text (`selection` null: no valid server choice).
ConnectResult ConnectChosenServer(int32_t radio, const PrintServer* selection,
                                  const std::u16string& typedText, const ServerQuery& query);

// Next with the other-connection radio leads to the other-connection page; every other
// choice leads to the queue page once the server answered.
int32_t SearchNextPage(int32_t radio);
