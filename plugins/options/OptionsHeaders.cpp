// Compiles every public header of the option model on its own.
#include "LocaleQuery.h"
#include "OptionDescriptors.h"
#include "PaperTables.h"
#include "PrivateDevmode.h"
#include "DevmodeExchange.h"
#ifdef _WIN32
#include "DevmodeExchangeWin.h"
#endif
