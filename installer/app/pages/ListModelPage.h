// Page 9: the manufacturer and model of an INF driver package opened with Have Disk,
// and the printer name. The last package is remembered in the registry profile and
// read again every time the page is shown.
#pragma once

#include <optional>
#include <string>

#include "CEdit.h"
#include "CListCtrl.h"
#include "PropertyPageExEx.h"

class CListModelPage : public CPropertyPageExEx {
  DECLARE_DYNCREATE(CListModelPage)

public:
  CListModelPage();
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;

  // Each manufacturer item's data is 1 when its INF line names "NTamd64", else 0.
  CListCtrl m_manufacturers;
  CListCtrl m_models;
  CEdit m_name;

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
  void OnHaveDisk();
  // Fill the lists from the INF at path; a file that cannot be opened is reported and
  // leaves the list being filled empty.
  void LoadManufacturers(const CString& path);
  void LoadModels(const CString& path, const CString& section);
  // The selected manufacturer's models section (decorated on 64-bit Windows when its
  // line asks for it); false, and section unchanged, when none is selected.
  bool GetModelsSection(CString& section) const;
  bool GetSelectedModel(CString& model) const;
  std::optional<std::u16string> SelectedModel() const;
  void SuggestNameFromModel();
  // The user chose a manufacturer (mouse or keyboard): its models, unless they are
  // the ones listed already.
  void OnManufacturerChosen();

  // The models section whose models the model list shows (empty: none loaded).
  CString m_listedSection;
  // Set while the page itself selects items, whose selection changes are no choice of
  // the user's.
  bool m_selecting = false;
};
