// The setup block of the default job-option record, written out independently of the
// formatter: the printer side parses exactly these bytes.
#pragma once

#include <string>
#include <vector>

namespace qv {
namespace render {
namespace expected {

inline std::string Line(const std::string& value, const std::string& name) {
  return "mark { " + value + " /" + name +
         " /TVOptions /ProcSet findresource /setTVOptions get exec } stopped pop cleartomark\n";
}

inline const char kClosing[] =
    "mark { << /PageSize TVOptionFeatures /PageSize get /ValAsArray get >> setpagedevice } "
    "stopped pop cleartomark\n";

struct NamedValue {
  const char* value;
  const char* name;
};

inline const NamedValue kDefaultSetup[] = {
    {"(Port)", "Orientation"},
    {"(0)", "GutterDistance"},
    {"(0)", "TargetPaperSizeWidth"},
    {"(0)", "TargetPaperSizeHeight"},
    {"(100)", "Zoom"},
    {"(100)", "CyanGamma"},
    {"(100)", "MagentaGamma"},
    {"(100)", "YellowGamma"},
    {"(100)", "BlackGamma"},
    {"(False)", "UseSimulationProfile"},
    {"(00000000000000000000000000000000)", "SimulationProfile"},
    {"(0)", "HorizontalShift"},
    {"(0)", "VerticalShift"},
    {"(0)", "HoriShiftBack"},
    {"(0)", "VertiShiftBack"},
    {"(False)", "PrivatePrinting"},
    {"()", "PrivatePrintingBoxNumber"},
    {"(Off)", "SendWindowsMessage"},
    {"()", "SendWindowsMessageTarget"},
    {"(Off)", "EmailNotification"},
    {"()", "EmailNotificationAddress"},
    {"(Off)", "JobSplitting"},
    {"(3)", "JobSplittingLimit"},
};

inline std::vector<std::string> DefaultSetupLines() {
  std::vector<std::string> lines;
  for (const NamedValue& l : kDefaultSetup) lines.push_back(Line(l.value, l.name));
  return lines;
}

inline std::string Join(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l;
  return s + kClosing;
}

inline const char kDefaultDsc[] =
    "%%TAVIK-Redirect-To-Queue: \r\n"
    "%%TAVIK-Queue-Code-Word: \r\n"
    "%%TAVIK-Print-And-Hold: False\r\n"
    "%%TAVIK-Job-Comment: \r\n";

}  // namespace expected
}  // namespace render
}  // namespace qv
