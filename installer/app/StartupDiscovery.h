// What the start-up discovery thread runs: the class library's socket set-up for the
// calling thread, and the discovery of print servers into the given list.
#pragma once

#include <windows.h>

#include "PrintServer.h"

bool InitSockets();
void RunStartupDiscovery(PrintServerList& servers);

// The discovery thread's start routine; parameter: a heap-held
// std::shared_ptr<PrintServerList> that the thread owns and frees.
DWORD WINAPI DiscoveryThread(LPVOID parameter);
