// Names the local spooler knows: ports, printer drivers, port monitors and local
// printers (Windows build). Each replaces the list's contents with the spooler's
// names, in its order; when the spooler cannot be asked the list is left empty and
// the answer is false.
#pragma once

#include "CString.h"

bool EnumPortNames(CStringList& list);
bool EnumDriverNames(CStringList& list);
bool EnumMonitorNames(CStringList& list);
bool EnumPrinterNames(CStringList& list);
