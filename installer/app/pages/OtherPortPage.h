// Page 8: one printer on one connection: a UNC name, a URL, an existing local port or
// a new port made by a port monitor. Each choice is checked before the page is left;
// in based mode the page also takes the printer name.
#pragma once

#include "CComboBox.h"
#include "OtherPortRules.h"
#include "PropertyPageExEx.h"

class COtherPortPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(COtherPortPage)

public:
  COtherPortPage();
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

  // The fields of the chosen connection (and the printer name in based mode) into
  // the installer state.
  void SavePortControls();
  // True when the choice may be used; otherwise its message has been shown and the
  // offending field has the focus.
  bool ValidatePortChoice();
  // Runs the chosen monitor's dialog and finds the port it made; no message.
  bool CreateNewPort();
  // The local ports into list 1036 and into the state's ports before a new port.
  void FillPortCombo();
  // The port monitors into list 1012.
  void FillMonitorCombo();

  CComboBox m_ports;
  CComboBox m_monitors;

protected:
  // Putting the focus into a field selects its radio (once the page has been shown).
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
  void Refuse(PortRefusal refusal, PortField field, const std::u16string& server);

  // Set once an activation is complete. The sheet puts the focus into the page after
  // the activation; that must not switch the radio that the activation restored, so
  // the flag is cleared while the page is being activated and set again by a message
  // posted at its end, which also puts the focus into the field of the restored choice.
  bool m_shown = false;
};

// Where CreateNewPort makes its port. The port monitors' own dialogs cannot run
// without a display (Wine's crashes), so tests put a maker of their own here; null
// means the spooler and the monitor's dialog.
extern PortMaker* g_portMaker;
