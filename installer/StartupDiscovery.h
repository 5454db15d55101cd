// What the start-up discovery thread runs: the class library's socket set-up for the
// calling thread, and the discovery of print servers into the given list.
#pragma once

#include "PrintServer.h"

bool InitSockets();
void RunStartupDiscovery(PrintServerList& servers);
