// The tool's text keys with their built-in English defaults.
//
// Defaults are written in the escaped form of the language file and are decoded like
// a translation. A translation is used only when its printf conversions are those of
// the default (see ReadCheckedText).
#pragma once

namespace drux {

struct TextKey {
  const char16_t* key;
  const char16_t* fallback;
};

namespace texts {
inline constexpr TextKey kErrOpenPrinter{u"IDS_ERR_OPENPRINTER", u"Error while opening printer"};
inline constexpr TextKey kErrOpenFile{u"IDS_ERR_OPENFILE", u"Error while opening file"};
inline constexpr TextKey kErrStartDoc{u"IDS_ERR_STARTDOCPRINTER",
                                      u"Error while informing spooler about a new job"};
inline constexpr TextKey kErrStartPage{u"IDS_ERR_STARTPAGEPRINTER",
                                       u"Error while starting a new page in the job"};
inline constexpr TextKey kErrWrite{u"IDS_ERR_WRITETOPRINTER", u"Error while writing to printer"};
inline constexpr TextKey kPrintFromTo{u"IDS_PRINTFROMTO", u"Printing: %lu of %lu"};
inline constexpr TextKey kPrintFileInfo{u"IDS_PRINTFILEINFO", u"File: %s"};
inline constexpr TextKey kAbortAll{u"IDS_ABORTALL", u"Abort all File Prints?"};
inline constexpr TextKey kProgressCaption{u"IDS_PROGRESS_CAPTION", u"Printing"};
inline constexpr TextKey kProgressCancel{u"IDC_BTN_PROGRESSCANCEL", u"Cancel"};
inline constexpr TextKey kDlgCaption{u"IDC_DLG_CAPTION", u"DRUX"};
inline constexpr TextKey kBtnDownload{u"IDC_BTN_DOWNLOAD", u"Download"};
inline constexpr TextKey kBtnEnd{u"IDC_BTN_END", u"Quit"};
inline constexpr TextKey kBtnRemove{u"IDC_BTN_REMOVEFROMLIST", u"Remove"};
inline constexpr TextKey kBtnFileSelect{u"IDC_BTN_FILESELECT", u"Add Files..."};
inline constexpr TextKey kGrpFiles{u"IDC_GRP_FILES", u"Files"};
inline constexpr TextKey kGrpPrinters{u"IDC_GRP_PRINTERS", u"Printer"};
inline constexpr TextKey kLblVersion{u"IDC_LBL_VERSION", u"Version: %s"};
inline constexpr TextKey kLanguage{u"DX_Language", u""};
inline constexpr TextKey kFileFilter{
    u"IDS_FILEFILTER",
    u"Printable Files (*.ps, *.prn, *.tif, *.pdf)|*.ps; *.prn; *.tif; *.tiff; *.pdf|"
    u"PostScript Files (*.ps)|*.ps|PDF Files (*.pdf)|*.pdf|TIFF Files (*.tif)|*.tif;*.tiff|"
    u"Print Files (*.prn)|*.prn|All Files (*.*)|*.*||"};
}  // namespace texts

// Every key of the tool, in the order above.
extern const TextKey kAllTextKeys[20];

}  // namespace drux
