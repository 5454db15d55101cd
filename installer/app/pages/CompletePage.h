// Page 14: the summary of what Finish creates, and Finish itself: the driver from the
// INF package (unless kept or based on an installed printer), then the printers. An
// exterior page like the Welcome page.
#pragma once

#include <windows.h>

#include "CString.h"
#include "InstallerState.h"
#include "PropertyPageExEx.h"

class CCompletePage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CCompletePage)

public:
  CCompletePage();
  BOOL OnSetActive() override;
  LRESULT OnWizardBack() override;
  // TRUE (the wizard closes) when the driver and every printer were made; on a
  // failure a message box tells the user and the wizard stays.
  BOOL OnWizardFinish() override;

  // Fills the printer name, the driver and the port or ports.
  void FormatPortList();
};

// The printers' creation that Finish calls (AddPrinters); tests put a spooler of
// their own behind it.
using AddPrintersFunction = DWORD (*)(const CString& driverName, const InstallerState& state,
                                      const CStringList& colourProfiles);
extern AddPrintersFunction g_addPrinters;
