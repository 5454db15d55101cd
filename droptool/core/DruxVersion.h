/* The tool's version, for its version resource and its version line. Plain
   preprocessor definitions, so that the resource compiler reads them too. */
#pragma once

#define DRUX_VERSION_MAJOR 2
#define DRUX_VERSION_MINOR 0
#define DRUX_VERSION_PATCH 6
#define DRUX_VERSION_TEXT "2.0.6"
