// The new-or-based page's rules (page 7): which radio button shows the stored choice,
// whether the choice is based mode, and where Next leads.
#pragma once

#include <cstdint>

#include "TWKResource.h"

// The radio to check when the page is shown: the stored choice when it is the based
// one, else the driver from disk (so the first visit shows that one checked).
int32_t NewOldRadioToCheck(int32_t storedChoice);

// The new printers use an installed printer's driver.
bool IsBasedMode(int32_t choice);

// The installed-printer page in based mode, else the network search.
int32_t NewOldNextPage(int32_t choice);
