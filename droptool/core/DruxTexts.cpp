#include "DruxTexts.h"

namespace drux {

const TextKey kAllTextKeys[20] = {
    texts::kErrOpenPrinter, texts::kErrOpenFile,   texts::kErrStartDoc,
    texts::kErrStartPage,   texts::kErrWrite,      texts::kPrintFromTo,
    texts::kPrintFileInfo,  texts::kAbortAll,      texts::kProgressCaption,
    texts::kProgressCancel, texts::kDlgCaption,    texts::kBtnDownload,
    texts::kBtnEnd,         texts::kBtnRemove,     texts::kBtnFileSelect,
    texts::kGrpFiles,       texts::kGrpPrinters,   texts::kLblVersion,
    texts::kLanguage,       texts::kFileFilter,
};

}  // namespace drux
