#include "NetworkSearchRules.h"

#include "PageText.h"
#include "TWKResource.h"

int32_t SearchRadioToCheck(int32_t storedChoice) {
  if (storedChoice == IDC_NETSEARCH_TYPED || storedChoice == IDC_NETSEARCH_OTHER) {
    return storedChoice;
  }
  return IDC_NETSEARCH_FOUND;
}

bool TakeOverThreadServers(PrintServerList& shown, const PrintServerList& thread) {
  if (!shown.empty() || thread.empty()) return false;
  shown = thread;
  return true;
}

std::vector<size_t> ServersToList(const PrintServerList& servers) {
  std::vector<size_t> listed;
  for (size_t i = 0; i < servers.size(); ++i) {
    bool seen = false;
    for (size_t j : listed) {
      if (servers[j].displayName == servers[i].displayName &&
          servers[j].ipAddress == servers[i].ipAddress) {
        seen = true;
        break;
      }
    }
    if (!seen) listed.push_back(i);
  }
  return listed;
}

int FindServerItem(const std::vector<std::u16string>& addressColumn, const std::u16string& address) {
  if (address.empty()) return -1;
  for (size_t i = 0; i < addressColumn.size(); ++i) {
    if (addressColumn[i] == address) return int(i);
  }
  return -1;
}

bool IsValidServerChoice(const ServerListSelection& selection) {
  return selection.itemCount > 0 && selection.selected >= 0 &&
         selection.selected < selection.itemCount && selection.record != nullptr &&
         !selection.addressColumn.empty() && selection.addressColumn == selection.record->ipAddress;
}

ConnectResult ConnectChosenServer(int32_t radio, const PrintServer* selection,
                                  const std::u16string& typedText, const ServerQuery& query) {
  ConnectResult result;
  std::u16string name;
  if (radio == IDC_NETSEARCH_TYPED) {
    name = TrimWhiteSpace(typedText);
    if (name.empty()) {
      result.refusal = ConnectRefusal::EmptyName;
      return result;
    }
  } else {
    if (!selection) {
      result.refusal = ConnectRefusal::NoServerChosen;
      return result;
    }
    result.choseFoundServer = true;
    result.chosenAddress = selection->ipAddress;
    name = selection->ipAddress;
  }
  result.asked = true;
  PrintServer record;
  if (query && query(name, record)) {
    result.answered = true;
    // The user's own spelling of the name, not what it resolved to.
    if (radio == IDC_NETSEARCH_TYPED) record.hostName = name;
    result.server = std::move(record);
  } else {
    result.refusal = ConnectRefusal::NoAnswer;
  }
  return result;
}

int32_t SearchNextPage(int32_t radio) {
  return radio == IDC_NETSEARCH_OTHER ? IDD_OTHERPORT : IDD_LISTQUEUES;
}
