#include "OtherPortPage.h"

#include "TWKResource.h"
#include "TextLookupWin.h"

IMPLEMENT_DYNCREATE(COtherPortPage, CPropertyPageExEx)

COtherPortPage::COtherPortPage()
    : CPropertyPageExEx(IDD_OTHERPORT, LoadText(texts::kOtherPortTitle),
                        LoadText(texts::kOtherPortSubtitle)) {
  m_strCaption = LoadText(texts::kProgramName);
  m_psp.dwFlags |= PSP_USETITLE;
}

void COtherPortPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_OTHERPORT_PORTS, m_ports);
  DDX_Control(pDX, IDC_OTHERPORT_MONITORS, m_monitors);
}

BOOL COtherPortPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  SetTexts({{IDC_OTHERPORT_UNC, texts::kRadioUnc},
            {IDC_OTHERPORT_UNC_LABEL, texts::kUncLabel},
            {IDC_OTHERPORT_UNC_EXAMPLE, texts::kUncExample},
            {IDC_OTHERPORT_URL, texts::kRadioUrl},
            {IDC_OTHERPORT_URL_LABEL, texts::kUrlLabel},
            {IDC_OTHERPORT_URL_EXAMPLE, texts::kUrlExample},
            {IDC_OTHERPORT_EXISTING, texts::kRadioExistingPort},
            {IDC_OTHERPORT_NEW, texts::kRadioNewPort},
            {IDC_OTHERPORT_NAME_LABEL, texts::kPrinterNameLabel}});
  return CPropertyPageExEx::OnSetActive();
}

LRESULT COtherPortPage::OnWizardNext() { return AcceptNext(IDD_LISTMODEL); }
LRESULT COtherPortPage::OnWizardBack() { return GoBack(); }
