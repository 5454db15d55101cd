#include "NewOldRules.h"

#include "TWKResource.h"

int32_t NewOldRadioToCheck(int32_t storedChoice) {
  return storedChoice == kRadioBasedOnInstalled ? kRadioBasedOnInstalled : kRadioDriverFromDisk;
}

bool IsBasedMode(int32_t choice) { return choice == kRadioBasedOnInstalled; }

int32_t NewOldNextPage(int32_t choice) {
  return IsBasedMode(choice) ? IDD_LISTPRINTER : IDD_NETWORKSEARCH;
}
