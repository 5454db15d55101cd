#include "NewOldRules.h"

#include "TWKResource.h"

int32_t NewOldRadioToCheck(int32_t storedChoice) {
  return storedChoice == IDC_NEWOLD_BASED ? IDC_NEWOLD_BASED : IDC_NEWOLD_FROMDISK;
}

bool IsBasedMode(int32_t choice) { return choice == IDC_NEWOLD_BASED; }

int32_t NewOldNextPage(int32_t choice) {
  return IsBasedMode(choice) ? IDD_LISTPRINTER : IDD_NETWORKSEARCH;
}
