// The PPD feature selections handed to the core driver through IPrintCoreUI2::SetOptions.
//
// Entry point:
//   qv::ui::win::PushFeatureOptions(record, driverInterface, poemuiobj) -> BOOL
//     record: the validated option body; driverInterface: the IUnknown the driver
//     published (IPrintCoreUI2 or IPrintOemDriverUI); poemuiobj: OEMUIPSPARAM's.
//     FALSE, nothing sent, when an argument is missing, the driver offers no
//     IPrintCoreUI2, or memory runs out. Never throws.
#pragma once

#include <windows.h>

#include "PrivateDevmode.h"
#include "QvOemUi.h"

namespace qv {
namespace ui {
namespace win {

BOOL PushFeatureOptions(const PrivateDevmodeBody* record, IUnknown* driverInterface,
                        POEMUIOBJ poemuiobj);

}  // namespace win
}  // namespace ui
}  // namespace qv
