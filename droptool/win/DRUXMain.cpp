// The program's one application object; the class library's entry point runs it.
#include "DRUXApp.h"

CDRUXApp theApp;
