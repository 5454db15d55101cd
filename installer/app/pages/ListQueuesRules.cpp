#include "ListQueuesRules.h"

#include "TWKResource.h"

int32_t QueuesRadioToCheck(int32_t storedChoice) {
  return storedChoice == IDC_LISTQUEUES_OTHER ? IDC_LISTQUEUES_OTHER
                                                     : IDC_LISTQUEUES_CHECKED;
}

bool InternetOptionEnabled(bool otherConnectionChecked, bool win9x) {
  return !otherConnectionChecked && !win9x;
}

std::u16string PrefillQueuePrinterName(const std::u16string& typedBefore,
                                       const std::u16string& serverName,
                                       const std::u16string& installedPrinterName) {
  if (!typedBefore.empty()) return typedBefore;
  if (!serverName.empty()) return serverName;
  return installedPrinterName;
}

bool HasQueueChoice(int32_t radio, bool anyQueueChecked) {
  return radio == IDC_LISTQUEUES_OTHER || anyQueueChecked;
}

QueueNextDecision DecideQueueNext(const QueueNextInput& input) {
  QueueNextDecision decision;
  if (!HasQueueChoice(input.radio, input.anyQueueChecked)) {
    decision.refusal = QueueRefusal::NoQueue;
    return decision;
  }
  if (input.basedMode) {
    decision.storeName = true;
    switch (CheckPrinterName(input.printerName, input.kind)) {
      case PrinterNameProblem::Empty:
        decision.refusal = QueueRefusal::EmptyName;
        return decision;
      case PrinterNameProblem::TooLong:
        decision.refusal = QueueRefusal::NameTooLong;
        return decision;
      case PrinterNameProblem::None:
        break;
    }
  }
  decision.storeInternetFlag = true;
  if (input.radio == IDC_LISTQUEUES_OTHER) {
    decision.nextPage = IDD_OTHERPORT;
  } else {
    decision.collectQueues = true;
    decision.takeInstalledDriver = input.basedMode;
    decision.nextPage = input.basedMode ? IDD_COMPLETE : IDD_LISTMODEL;
  }
  return decision;
}
