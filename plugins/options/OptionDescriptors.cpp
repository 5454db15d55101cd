// The job-option descriptor tables. Every table is constant-initialised (constexpr):
// nothing is built at run time and any thread may read them.
//
// Caption ids: option captions are 101.. in record order for list options, 201.. for
// numeric and 301.. for text options; entry captions are 1000.. and shared by entries of
// like caption across options (the paper entries of PageSize and TargetPaperSize, "Off",
// "Auto", ...). Boolean entries have none (-1); colour-profile entries carry their
// display name instead.
#include "OptionDescriptors.h"

#include <cstring>

namespace qv {

KeywordMatch FindEntryByKeyword(const OptionDescriptor& descriptor, const char* text) {
  const std::uint32_t count =
      descriptor.entryCount < kMaxOptionEntries ? descriptor.entryCount : kMaxOptionEntries;
  if (text != nullptr) {
    for (std::uint32_t i = 0; i < count; ++i) {
      const char* keyword = descriptor.entries[i].keyword;
      if (keyword != nullptr && std::strcmp(keyword, text) == 0) return {keyword, true};
    }
  }
  const char* fallback =
      descriptor.defaultIndex < kMaxOptionEntries ? descriptor.entries[descriptor.defaultIndex].keyword
                                                  : nullptr;
  return {fallback, false};
}

namespace desc {

// ---- List options, in record order ------------------------------------------------

constexpr OptionDescriptor PageSize = {
    "PageSize", "PageSize", nullptr, 101, 19, 7,
    {
     {0, 1000, "Letter"},
     {1, 1001, "Legal"},
     {2, 1002, "Tabloid"},
     {3, 1003, "Foolscap"},
     {4, 1004, "Statement"},
     {5, 1005, "A3Wide"},
     {6, 1006, "A3"},
     {7, 1007, "A4"},
     {8, 1008, "A5"},
     {9, 1009, "B4"},
     {10, 1010, "B5"},
     {11, 1011, "B6"},
     {12, 1012, "Postcard"},
     {13, 1013, "EnvKaku0"},
     {14, 1014, "EnvKaku1"},
     {15, 1015, "EnvKaku2"},
     {16, 1016, "EnvKaku3"},
     {17, 1017, "EnvChou3"},
     {18, 1018, "EnvChou4"}}};

constexpr OptionDescriptor Orientation = {
    "TVOrientation", "Orientation", nullptr, 102, 2, 0,
    {
     {0, 1019, "Port"},
     {1, 1020, "Land"}}};

constexpr OptionDescriptor InputSlot = {
    "InputSlot", "InputSlot", nullptr, 103, 4, 0,
    {
     {0, 1021, nullptr},
     {1, 1022, "Standard"},
     {2, 1023, "Tray-1"},
     {3, 1024, "Tray-2"}}};

constexpr OptionDescriptor MediaType = {
    "TVMediaType", "MediaType", nullptr, 104, 12, 0,
    {
     {0, 1025, "Auto"},
     {1, 1026, "HC"},
     {2, 1027, "HCmatted"},
     {3, 1022, "Standard"},
     {4, 1028, "PostcardIJ"},
     {5, 1012, "Postcard"},
     {6, 1029, "Standard1"},
     {7, 1030, "HighQuality1"},
     {8, 1031, "HighQuality2"},
     {9, 1032, "Envelope"},
     {10, 1033, "Card"},
     {11, 1034, "CardIJ"}}};

constexpr OptionDescriptor Duplex = {
    "TVDuplex", "Duplex", nullptr, 105, 3, 0,
    {
     {0, 1035, "Simplex"},
     {1, 1036, "LongEdge"},
     {2, 1037, "ShortEdge"}}};

constexpr OptionDescriptor Imposition = {
    "TVImposition", "Imposition", nullptr, 106, 5, 0,
    {
     {0, 1038, "Simple"},
     {1, 1039, "Booklet"},
     {2, 1040, "Booklet2Fold"},
     {3, 1041, "Nup"},
     {4, 1042, "NupCopy"}}};

constexpr OptionDescriptor ImpositionDirection = {
    "TVImpositionDirection", "ImpositionDirection", nullptr, 107, 2, 0,
    {
     {0, 1043, "Forward"},
     {1, 1044, "Reverse"}}};

constexpr OptionDescriptor GutterAutoReducing = {
    "TVGutterAutoReducing", "GutterAutoReducing", nullptr, 108, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor NupPageOrder = {
    "TVNupPageOrder", "NupPageOrder", nullptr, 109, 2, 0,
    {
     {0, 1045, "Horizontal"},
     {1, 1046, "Vertical"}}};

constexpr OptionDescriptor NupPagesPerSheet = {
    "TVNupPagesPerSheet", "NupPagesPerSheet", nullptr, 110, 4, 0,
    {
     {0, 1047, "2"},
     {1, 1048, "4"},
     {2, 1049, "8"},
     {3, 1050, "16"}}};

constexpr OptionDescriptor TargetPaperSize = {
    "TVTargetPaperSize", "TargetPaperSize", nullptr, 111, 20, 0,
    {
     {0, 1025, "Auto"},
     {1, 1000, "Letter"},
     {2, 1001, "Legal"},
     {3, 1002, "Tabloid"},
     {4, 1003, "Foolscap"},
     {5, 1004, "Statement"},
     {6, 1005, "A3Wide"},
     {7, 1006, "A3"},
     {8, 1007, "A4"},
     {9, 1008, "A5"},
     {10, 1009, "B4"},
     {11, 1010, "B5"},
     {12, 1011, "B6"},
     {13, 1012, "Postcard"},
     {14, 1013, "EnvKaku0"},
     {15, 1014, "EnvKaku1"},
     {16, 1015, "EnvKaku2"},
     {17, 1016, "EnvKaku3"},
     {18, 1017, "EnvChou3"},
     {19, 1018, "EnvChou4"}}};

constexpr OptionDescriptor ScaleToFit = {
    "TVScaleToFit", "ScaleToFit", nullptr, 112, 2, 1,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor Rotate180 = {
    "TVRotate180", "Rotate180", nullptr, 113, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor OutputTray = {
    "TVOutputTray", "OutputTray", nullptr, 114, 2, 0,
    {
     {0, 1025, "Auto"},
     {1, 1051, "Stacker"}}};

constexpr OptionDescriptor FinishSide = {
    "TVFinishSide", "FinishSide", nullptr, 115, 3, 0,
    {
     {0, 1052, "Left"},
     {1, 1053, "Top"},
     {2, 1054, "Right"}}};

constexpr OptionDescriptor StapleMode = {
    "TVStapleMode", "StapleMode", nullptr, 116, 5, 0,
    {
     {0, 1055, "NonStaple"},
     {1, 1056, "2Staples"},
     {2, 1057, nullptr},
     {3, 1058, "1StapleLeft"},
     {4, 1059, "1StapleRight"}}};

constexpr OptionDescriptor PunchMode = {
    "TVPunchMode", "PunchMode", nullptr, 117, 4, 0,
    {
     {0, 1060, "NonPunch"},
     {1, 1061, "2Holes"},
     {2, 1062, "3-4Holes"},
     {3, 1063, "3-4Holes"}}};

constexpr OptionDescriptor FoldMode = {
    "TVFoldMode", "FoldMode", nullptr, 118, 7, 0,
    {
     {0, 1064, "NonFold"},
     {1, 1065, "Half"},
     {2, 1066, "HalfStaple"},
     {3, 1067, "3Outer"},
     {4, 1068, "3Inner"},
     {5, 1069, "Z-Fold"},
     {6, 1070, "2Fold"}}};

constexpr OptionDescriptor FoldInOut = {
    "TVFoldInOut", "FoldInOut", nullptr, 119, 2, 0,
    {
     {0, 1071, "Inside"},
     {1, 1072, "Outside"}}};

constexpr OptionDescriptor ZFoldMixed = {
    "TVZFoldMixed", "ZFoldMixed", nullptr, 120, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor ZFoldRotateBig = {
    "TVZFoldRotateBig", "ZFoldRotateBig", nullptr, 121, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor OutputFace = {
    "TVOutputFace", "OutputFace", nullptr, 122, 3, 0,
    {
     {0, 1025, "Auto"},
     {1, 1073, "Faceup"},
     {2, 1074, "Facedown"}}};

constexpr OptionDescriptor ReverseOrder = {
    "TVReverseOrder", "ReverseOrder", nullptr, 123, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor Collate = {
    "TVCollate", "Collate", nullptr, 124, 2, 0,
    {
     {0, 1075, "True"},
     {1, 1076, "False"}}};

constexpr OptionDescriptor JogMode = {
    "TVJogMode", "JogMode", nullptr, 125, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor JobSepSheet = {
    "TVJobSepSheet", "JobSepSheet", nullptr, 126, 3, 0,
    {
     {0, 1077, "Off"},
     {1, 1078, "BetweenJobs"},
     {2, 1079, "BetweenSets"}}};

constexpr OptionDescriptor BookletSplitting = {
    "TVBookletSplitting", "BookletSplitting", nullptr, 127, 17, 1,
    {
     {0, 1080, "Off"},
     {1, 1081, "Auto"},
     {2, 1082, "1"},
     {3, 1083, "2"},
     {4, 1084, "3"},
     {5, 1085, "4"},
     {6, 1086, "5"},
     {7, 1087, "6"},
     {8, 1088, "7"},
     {9, 1089, "8"},
     {10, 1090, "9"},
     {11, 1091, "10"},
     {12, 1092, "11"},
     {13, 1093, "12"},
     {14, 1094, "13"},
     {15, 1095, "14"},
     {16, 1096, "15"}}};

constexpr OptionDescriptor HeaderPage = {
    "TVHeaderPage", "HeaderPage", nullptr, 128, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor FrontCover = {
    "TVFrontCover", "FrontCover", nullptr, 129, 3, 0,
    {
     {0, 1077, "Off"},
     {1, 1097, "Cover"},
     {2, 1098, "Interposer"}}};

constexpr OptionDescriptor BackCover = {
    "TVBackCover", "BackCover", nullptr, 130, 3, 0,
    {
     {0, 1077, "Off"},
     {1, 1097, "Cover"},
     {2, 1098, "Interposer"}}};

constexpr OptionDescriptor BookletCover = {
    "TVBookletCover", "BookletCover", nullptr, 131, 4, 0,
    {
     {0, 1077, "Off"},
     {1, 1099, "OnlyCover"},
     {2, 1100, "ExceptCover"},
     {3, 1101, "ArchiveExceptCover"}}};

constexpr OptionDescriptor Resolution = {
    "Resolution", "Resolution", nullptr, 132, 2, 0,
    {
     {0, 1102, "300x300dpi"},
     {1, 1103, "300x600dpi"}}};

constexpr OptionDescriptor OutputMode = {
    "TVOutputMode", "OutputMode", nullptr, 133, 2, 0,
    {
     {0, 1104, "Color"},
     {1, 1105, "Monochrome"}}};

constexpr OptionDescriptor Screening = {
    "TVScreening", "Screening", nullptr, 134, 2, 0,
    {
     {0, 1106, "ErrorDiff"},
     {1, 1107, "Raster"}}};

constexpr OptionDescriptor ScreenFreq = {
    "TVScreenFreq", "ScreenFreq", nullptr, 135, 3, 1,
    {
     {0, 1108, "43"},
     {1, 1109, "71"},
     {2, 1110, "100"}}};

constexpr OptionDescriptor LineSmoothing = {
    "TVLineSmoothing", "LineSmoothing", nullptr, 136, 3, 0,
    {
     {0, 1077, "Off"},
     {1, 1111, "Low"},
     {2, 1112, "High"}}};

constexpr OptionDescriptor GCDensity = {
    "TVGCDensity", "GCDensity", nullptr, 137, 5, 2,
    {
     {0, 1113, "Lightest"},
     {1, 1114, "Light"},
     {2, 1022, "Standard"},
     {3, 1115, "Dark"},
     {4, 1116, "Darkest"}}};

constexpr OptionDescriptor GCContrast = {
    "TVGCContrast", "GCContrast", nullptr, 138, 5, 2,
    {
     {0, 1117, "Lowest"},
     {1, 1111, "Low"},
     {2, 1022, "Standard"},
     {3, 1112, "High"},
     {4, 1118, "Highest"}}};

constexpr OptionDescriptor PrintDensity = {
    "TVPrintDensity", "PrintDensity", nullptr, 139, 5, 2,
    {
     {0, 1119, "Level1"},
     {1, 1120, "Level2"},
     {2, 1121, "Level3"},
     {3, 1122, "Level4"},
     {4, 1123, "Level5"}}};

constexpr OptionDescriptor MaxDrops = {
    "TVMaxDrops", "MaxDrops", nullptr, 140, 8, 0,
    {
     {0, 1025, "Auto"},
     {1, 1124, "1Drop"},
     {2, 1125, "2Drops"},
     {3, 1126, "3Drops"},
     {4, 1127, "4Drops"},
     {5, 1128, "5Drops"},
     {6, 1129, "6Drops"},
     {7, 1130, "7Drops"}}};

constexpr OptionDescriptor RenderingIntent = {
    "TVRenderingIntent", "RenderingIntent", nullptr, 141, 4, 2,
    {
     {0, 1131, "RelativeColorimetric"},
     {1, 1132, "AbsoluteColorimetric"},
     {2, 1133, "Perceptual"},
     {3, 1134, "Saturation"}}};

constexpr OptionDescriptor RemapDeviceRGB = {
    "TVRemapDeviceRGB", "RemapDeviceRGB", nullptr, 142, 2, 1,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor RGBInputProfile = {
    "TVRGBInputProfile", "RGBInputProfile", nullptr, 143, 10, 9,
    {
     {0, u"Adobe RGB (1998)", "DEA88382D899D5F6E573B432473AE138"},
     {1, u"Apple RGB", "2E54D10B392CAC47226469BA2EA95BD8"},
     {2, u"CIE RGB", "C2336F7797CE89CA59B34D9912612BF0"},
     {3, u"ColorMatch RGB", "91CF26C58E07EDA724FDBF3EADCE4505"},
     {4, u"ECI-RGB", "998FBB5D3614AC87E52ABF701C11462F"},
     {5, u"Trinitron Monitor G22 D93", "73C70FC8E24C5E94779DAB9D03DE2239"},
     {6, u"Wide Gamut RGB", "317695890D09F64FE3486AC9B7449879"},
     {7, u"DC Series Digital Camera - KODAK", "09227759CDDEF937B4F0D438DCB4CCA0"},
     {8, u"matrixsrgb", "3FC1FA7E516D462F72C1899948126AF7"},
     {9, u"sRGB IEC61966-2.1", "1D3FDA2EDB4A89AB60A23C5F7C7D81DD"}}};

constexpr OptionDescriptor RemapDeviceCMYK = {
    "TVRemapDeviceCMYK", "RemapDeviceCMYK", nullptr, 144, 3, 1,
    {
     {0, 1077, "Off"},
     {1, 1135, "On"},
     {2, 1136, "DeviceLink"}}};

constexpr OptionDescriptor CMYKInputProfile = {
    "TVCMYKInputProfile", "CMYKInputProfile", nullptr, 145, 13, 3,
    {
     {0, u"Euroscale Coated v2", "C1B9800A6A112FDE96F78295074F5C30"},
     {1, u"Euroscale Uncoated v2", "9825F3376E81C474F90A788D6B8EB180"},
     {2, u"ISO Coated sb", "4F7B286EA6461C4CD287CB2F3D331DBA"},
     {3, u"Japan Color 2001 Coated", "4CB167869183B59BBAD20FB90CCF3E0C"},
     {4, u"Japan Color 2001 Uncoated", "B4E3FBD4C04CC702A93EB806D974DBF2"},
     {5, u"Japan Standard v2", "4F0071959BF28519280837200D575A29"},
     {6, u"Japan Web Coated (Ad)", "F8607E551233CEFDDA26D7D6BAAA2A4F"},
     {7, u"Photoshop 4 Default CMYK", "D27078D05DF4552F10CBA4FC7B858A44"},
     {8, u"Photoshop 5 Default CMYK", "12A17C21311F56318E5152F3B7838E45"},
     {9, u"U.S. Sheetfed Coated v2", "B465D02C4E2EBCA02FD4771A1C8578B3"},
     {10, u"U.S. Sheetfed Uncoated v2", "B4C2943253492B9E3F3DC39D4C7281F8"},
     {11, u"U.S. Web Coated (SWOP) v2", "79D7E984EA3AC74EED7CC92BF6B22A0D"},
     {12, u"U.S. Web Uncoated v2", "69FEF828ECE289B7196C9DDA6325DB3F"}}};

constexpr OptionDescriptor OutputProfile = {
    "TVOutputProfile", "OutputProfile", nullptr, 146, 1, 0,
    {
     {0, u"Auto", "00000000000000000000000000000000"}}};

constexpr OptionDescriptor SeparateProfileTG = {
    "TVSeparateProfileTG", "SeparateProfileTG", nullptr, 147, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor TextOutputProfile = {
    "TVTextOutputProfile", "TextOutputProfile", nullptr, 148, 1, 0,
    {
     {0, u"Auto", "00000000000000000000000000000000"}}};

constexpr OptionDescriptor UseSimulationProfile = {
    nullptr, "UseSimulationProfile", nullptr, 149, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor SimulationProfile = {
    nullptr, "SimulationProfile", nullptr, 150, 1, 0,
    {
     {0, u"Auto", "00000000000000000000000000000000"}}};

constexpr OptionDescriptor FormPrintPattern = {
    "TVFormPrintPattern", "FormPrintPattern", nullptr, 151, 6, 0,
    {
     {0, 1077, "Off"},
     {1, 1137, "Single"},
     {2, 1138, "DoubleLongEdge"},
     {3, 1139, "DoubleShortEdge"},
     {4, 1140, "SingleDoubleLongEdge"},
     {5, 1141, "SingleDoubleShortEdge"}}};

constexpr OptionDescriptor FormDataPrintFace = {
    "TVFormDataPrintFace", "FormDataPrintFace", nullptr, 152, 2, 1,
    {
     {0, 1142, "Front"},
     {1, 1143, "Back"}}};

constexpr OptionDescriptor FormFrontBackSep = {
    "TVFormFrontBackSep", "FormFrontBackSep", nullptr, 153, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

// The four form selections share one list: "NoForm", then "Custom1" to "Custom10".
#define QV_FORM_ENTRIES                                                                  \
  {{0, 1144, "NoForm"},   {1, 1145, "Custom1"}, {2, 1146, "Custom2"}, {3, 1147, "Custom3"}, \
   {4, 1148, "Custom4"},  {5, 1149, "Custom5"}, {6, 1150, "Custom6"}, {7, 1151, "Custom7"}, \
   {8, 1152, "Custom8"},  {9, 1153, "Custom9"}, {10, 1154, "Custom10"}}

constexpr OptionDescriptor Form1 = {
    "TVForm1", "Form1", nullptr, 154, 11, 0,
    QV_FORM_ENTRIES};

constexpr OptionDescriptor Form2 = {
    "TVForm2", "Form2", nullptr, 155, 11, 0,
    QV_FORM_ENTRIES};

constexpr OptionDescriptor PrependJob = {
    "TVPrepend", "PrependJob", nullptr, 156, 11, 0,
    QV_FORM_ENTRIES};

constexpr OptionDescriptor AppendJob = {
    "TVAppend", "AppendJob", nullptr, 157, 11, 0,
    QV_FORM_ENTRIES};

#undef QV_FORM_ENTRIES

constexpr OptionDescriptor ShiftFrontBack = {
    "TVShiftFrontBack", "ShiftFrontBack", nullptr, 158, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor PrintPosition = {
    "TVPrintPosition", "PrintPosition", nullptr, 159, 9, 4,
    {
     {0, 1155, "TopLeft"},
     {1, 1053, "Top"},
     {2, 1156, "TopRight"},
     {3, 1052, "Left"},
     {4, 1157, "Center"},
     {5, 1054, "Right"},
     {6, 1158, "BottomLeft"},
     {7, 1159, "Bottom"},
     {8, 1160, "BottomRight"}}};

constexpr OptionDescriptor OutputDev = {
    "TVOutputDev", "OutputDev", nullptr, 160, 3, 0,
    {
     {0, 1161, "Print"},
     {1, 1162, "PrintArchive"},
     {2, 1163, "Archive"}}};

constexpr OptionDescriptor RedirectToQueue = {
    nullptr, nullptr, "Redirect-To-Queue", 161, 3, 0,
    {
     {0, 1164, ""},
     {1, 1165, "Normal"},
     {2, 1166, "Hold"}}};

constexpr OptionDescriptor PrintAndHold = {
    nullptr, nullptr, "Print-And-Hold", 162, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor WaitAfterProof = {
    "TVWaitAfterProof", "WaitAfterProof", nullptr, 163, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor PrivatePrinting = {
    nullptr, "PrivatePrinting", nullptr, 164, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor Delegation = {
    "TVDelegation", "Delegation", nullptr, 165, 2, 0,
    {
     {0, -1, "False"},
     {1, -1, "True"}}};

constexpr OptionDescriptor SendWindowsMessage = {
    nullptr, "SendWindowsMessage", nullptr, 166, 3, 0,
    {
     {0, 1077, "Off"},
     {1, 1167, "OnError"},
     {2, 1168, "Always"}}};

constexpr OptionDescriptor EmailNotification = {
    nullptr, "EmailNotification", nullptr, 167, 3, 0,
    {
     {0, 1077, "Off"},
     {1, 1167, "OnError"},
     {2, 1168, "Always"}}};

constexpr OptionDescriptor JobSplitting = {
    nullptr, "JobSplitting", nullptr, 168, 3, 0,
    {
     {0, 1077, "Off"},
     {1, 1169, "ByPages"},
     {2, 1170, "ByCopies"}}};

// ---- Numeric options, in record order ---------------------------------------------

// 2^32 - 1001 held in a signed field; the extents are compared unsigned.
constexpr std::int32_t kExtentMaximum = static_cast<std::int32_t>(0xFFFFFC17u);

constexpr NumericOptionDescriptor PageSizeWidth = {nullptr, nullptr, nullptr, -1, 1000, 1000, 0, kExtentMaximum, 0};
constexpr NumericOptionDescriptor PageSizeHeight = {nullptr, nullptr, nullptr, -1, 1000, 1000, 0, kExtentMaximum, 0};
constexpr NumericOptionDescriptor GutterDistance = {"TVGutterDistance", "GutterDistance", nullptr, 203, 1000, 2540, 0, 129032, 0};
constexpr NumericOptionDescriptor TargetPaperSizeWidth = {nullptr, "TargetPaperSizeWidth", nullptr, -1, 1000, 1000, 0, kExtentMaximum, 0};
constexpr NumericOptionDescriptor TargetPaperSizeHeight = {nullptr, "TargetPaperSizeHeight", nullptr, -1, 1000, 1000, 0, kExtentMaximum, 0};
constexpr NumericOptionDescriptor Zoom = {"TVZoom", "Zoom", nullptr, 206, 1, 1, 1, 1000, 100};
constexpr NumericOptionDescriptor CyanGamma = {"TVCyanGamma", "CyanGamma", nullptr, 207, 1, 1, 1, 300, 100};
constexpr NumericOptionDescriptor MagentaGamma = {"TVMagentaGamma", "MagentaGamma", nullptr, 208, 1, 1, 1, 300, 100};
constexpr NumericOptionDescriptor YellowGamma = {"TVYellowGamma", "YellowGamma", nullptr, 209, 1, 1, 1, 300, 100};
constexpr NumericOptionDescriptor BlackGamma = {"TVBlackGamma", "BlackGamma", nullptr, 210, 1, 1, 1, 300, 100};
constexpr NumericOptionDescriptor HorizontalShift = {"TVHorizontalShift", "HorizontalShift", nullptr, 211, 1000, 2540, -645159, 645160, 0};
constexpr NumericOptionDescriptor VerticalShift = {"TVVerticalShift", "VerticalShift", nullptr, 212, 1000, 2540, -645159, 645160, 0};
constexpr NumericOptionDescriptor HoriShiftBack = {"TVHoriShiftBack", "HoriShiftBack", nullptr, 213, 1000, 2540, -645159, 645160, 0};
constexpr NumericOptionDescriptor VertiShiftBack = {"TVVertiShiftBack", "VertiShiftBack", nullptr, 214, 1000, 2540, -645159, 645160, 0};
constexpr NumericOptionDescriptor JobSplittingLimit = {nullptr, "JobSplittingLimit", nullptr, 215, 1, 1, 1, 9999, 3};

// Preset lists, ascending, in the unit of the sent value.
constexpr std::int32_t GutterDistancePresets[kGutterDistancePresetCount] = {
    0, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 20000, 30000, 40000, 50000};
constexpr std::int32_t ZoomPresets[kZoomPresetCount] = {1, 18, 25, 35, 50, 71, 100, 141, 200, 283, 400, 566, 800, 1000};

#define QV_GAMMA_PRESETS \
  {1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 130, 150, 170, 190, 210, 240, 270, 300}
constexpr std::int32_t CyanGammaPresets[kGammaPresetCount] = QV_GAMMA_PRESETS;
constexpr std::int32_t MagentaGammaPresets[kGammaPresetCount] = QV_GAMMA_PRESETS;
constexpr std::int32_t YellowGammaPresets[kGammaPresetCount] = QV_GAMMA_PRESETS;
constexpr std::int32_t BlackGammaPresets[kGammaPresetCount] = QV_GAMMA_PRESETS;
#undef QV_GAMMA_PRESETS

#define QV_SHIFT_PRESETS                                                                         \
  {-250000, -225000, -200000, -180000, -160000, -140000, -120000, -100000, -90000, -80000,       \
   -70000,  -60000,  -50000,  -40000,  -30000,  -20000,  -10000,  -9000,   -8000,  -7000,        \
   -6000,   -5000,   -4000,   -3000,   -2000,   -1000,   -750,    -500,    -250,   0,            \
   250,     500,     750,     1000,    2000,    3000,    4000,    5000,    6000,   7000,         \
   8000,    9000,    10000,   20000,   30000,   40000,   50000,   60000,   70000,  80000,        \
   90000,   100000,  120000,  140000,  160000,  180000,  200000,  225000,  250000}
constexpr std::int32_t HorizontalShiftPresets[kShiftPresetCount] = QV_SHIFT_PRESETS;
constexpr std::int32_t VerticalShiftPresets[kShiftPresetCount] = QV_SHIFT_PRESETS;
constexpr std::int32_t HoriShiftBackPresets[kShiftPresetCount] = QV_SHIFT_PRESETS;
constexpr std::int32_t VertiShiftBackPresets[kShiftPresetCount] = QV_SHIFT_PRESETS;
#undef QV_SHIFT_PRESETS

// ---- Text options, in record order ------------------------------------------------

constexpr TextOptionDescriptor QueueCodeWord = {nullptr, "Queue-Code-Word", 301, "", 8};
constexpr TextOptionDescriptor PrivatePrintingBoxNumber = {"PrivatePrintingBoxNumber", nullptr, 302, "", 8};
constexpr TextOptionDescriptor SendWindowsMessageTarget = {"SendWindowsMessageTarget", nullptr, -1, "", 31};
constexpr TextOptionDescriptor EmailNotificationAddress = {"EmailNotificationAddress", nullptr, 304, "", 127};
constexpr TextOptionDescriptor JobComment = {nullptr, "Job-Comment", 305, "", 511};

}  // namespace desc
}  // namespace qv
