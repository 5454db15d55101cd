// The queue page's rules (page 12): the radio that shows the stored choice, when the
// Internet-printer check box may be used, the printer-name pre-fill of based mode, and
// the whole decision of Next: which check refuses, what is stored, which page follows.
#pragma once

#include <cstdint>
#include <string>

#include "PrinterNameRules.h"
#include "TWKResource.h"

// The other-connection choice shows as stored; anything else shows the queues radio.
int32_t QueuesRadioToCheck(int32_t storedChoice);

// The Internet-printer check box is usable unless the other-connection radio is
// checked; Windows 9x has no Internet printing, so there it never is.
bool InternetOptionEnabled(bool otherConnectionChecked, bool win9x);

// Based mode pre-fills the printer name with the first non-empty of: the name typed on
// this page before, the print server's name, the installed printer's name (taken even
// when empty).
std::u16string PrefillQueuePrinterName(const std::u16string& typedBefore,
                                       const std::u16string& serverName,
                                       const std::u16string& installedPrinterName);

// The other-connection choice needs no queue; otherwise at least one queue is checked.
bool HasQueueChoice(int32_t radio, bool anyQueueChecked);

struct QueueNextInput {
  bool basedMode = false;
  int32_t radio = 0;  // the checked radio (0 when none)
  bool anyQueueChecked = false;
  std::u16string printerName;  // the name field (based mode only)
  twk::setup::WindowsKind kind;  // the name limit
};

enum class QueueRefusal {
  None,
  NoQueue,      // "Please select a queue to install."
  EmptyName,    // "Please choose a valid printer name."
  NameTooLong,  // "This is not a valid printer name. It has too many characters."
};

struct QueueNextDecision {
  QueueRefusal refusal = QueueRefusal::None;
  // Based mode, once a queue choice exists: the name field goes into the printer name
  // and the name typed on this page, also when the name is then refused.
  bool storeName = false;
  // Accepted: the Internet-printer flag takes the check box.
  bool storeInternetFlag = false;
  // Accepted with the queues radio: the queue list becomes the checked queues and the
  // single-port flag is cleared.
  bool collectQueues = false;
  // Accepted in based mode with the queues radio: the driver name becomes the
  // installed printer's driver.
  bool takeInstalledDriver = false;
  int32_t nextPage = -1;  // -1: stay
};

// The queue check comes first; the name checks run only in based mode and only after
// it passed. A radio other than 1068 counts as the queues radio.
QueueNextDecision DecideQueueNext(const QueueNextInput& input);
