// Included by mingw-w64's winddi.h; nothing from Direct3D is used by the printer plug-ins.
#pragma once
