// Compiles every public header of the option model in the library's own build, so a
// header that stops compiling in some tree shows here first.
#include "LocaleQuery.h"
#include "OptionDescriptors.h"
#include "PaperTables.h"
#include "PrivateDevmode.h"
#include "DevmodeExchange.h"
#ifdef _WIN32
#include "DevmodeExchangeWin.h"
#endif
