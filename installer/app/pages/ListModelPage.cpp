#include "ListModelPage.h"

#include <setupapi.h>

#include <vector>

#include "AutoCloser.h"
#include "CFileDialog.h"
#include "CWaitCursor.h"
#include "DriverInstallWin.h"
#include "ListModelRules.h"
#include "SpoolerLists.h"
#include "TWKApp.h"
#include "TWKResource.h"
#include "TextLookupWin.h"
#include "Utf16.h"
#include "WinVersion.h"

IMPLEMENT_DYNCREATE(CListModelPage, CPropertyPageExEx)

namespace {

const wchar_t kProfileSection[] = L"Directories";
const wchar_t kProfileInfFile[] = L"INFFile";

// Field `index` of the line: its length asked first, then read into a buffer of that
// size. Empty when the line has no such field.
std::u16string ReadField(INFCONTEXT& line, DWORD index) {
  DWORD size = 0;
  if (!::SetupGetStringFieldW(&line, index, nullptr, 0, &size) || size == 0) return {};
  std::vector<wchar_t> buffer(size, L'\0');
  if (!::SetupGetStringFieldW(&line, index, buffer.data(), size, nullptr)) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()));
}

// Fields 1 to the end of the line, read as one multi-string field.
std::vector<std::u16string> ReadValues(INFCONTEXT& line) {
  std::vector<std::u16string> values;
  DWORD size = 0;
  if (!::SetupGetMultiSzFieldW(&line, 1, nullptr, 0, &size) || size == 0) return values;
  std::vector<wchar_t> buffer(size + 1, L'\0');  // one more terminator than asked for
  if (!::SetupGetMultiSzFieldW(&line, 1, buffer.data(), size, nullptr)) return values;
  for (size_t at = 0; at < size && buffer[at] != L'\0';) {
    std::u16string value(reinterpret_cast<const char16_t*>(&buffer[at]));
    at += value.size() + 1;
    values.push_back(std::move(value));
  }
  return values;
}

// Every line of the section, in line order (none when the section is missing).
std::vector<InfLine> ReadSection(HINF inf, const wchar_t* section, bool withValues) {
  std::vector<InfLine> lines;
  const LONG count = ::SetupGetLineCountW(inf, section);
  for (LONG i = 0; i < count; ++i) {
    INFCONTEXT line{};
    if (!::SetupGetLineByIndexW(inf, section, DWORD(i), &line)) continue;
    InfLine read;
    read.key = ReadField(line, 0);
    if (withValues) read.values = ReadValues(line);
    lines.push_back(std::move(read));
  }
  return lines;
}

bool IsExistingFile(const CString& path) {
  if (path.IsEmpty()) return false;
  const DWORD attributes = ::GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::u16string> ItemTexts(const CListCtrl& list) {
  std::vector<std::u16string> texts;
  const int count = list.GetItemCount();
  for (int i = 0; i < count; ++i) texts.push_back(ToU16(list.GetItemText(i, 0)));
  return texts;
}

bool SelectItem(CListCtrl& list, int item) {
  if (item < 0 || item >= list.GetItemCount()) return false;
  const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!list.SetItemState(item, state, state)) return false;
  list.EnsureVisible(item, FALSE);
  return true;
}

}  // namespace

CListModelPage::CListModelPage()
    : CPropertyPageExEx(IDD_LISTMODEL, LoadText(texts::kModelTitle),
                        LoadText(texts::kModelSubtitle)) {}

void CListModelPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_LISTMODEL_MANUFACTURERS, m_manufacturers);
  DDX_Control(pDX, IDC_LISTMODEL_MODELS, m_models);
  DDX_Control(pDX, IDC_LISTMODEL_NAME, m_name);
}

void CListModelPage::LoadManufacturers(const CString& path) {
  m_manufacturers.DeleteAllItems();
  auto inf = MakeAutoCloser<HINF>(INVALID_HANDLE_VALUE, &::SetupCloseInfFile);
  inf->handle = ::SetupOpenInfFileW(path, nullptr, INF_STYLE_WIN4, nullptr);
  if (inf->handle == INVALID_HANDLE_VALUE) {
    ShowError(this, LoadText(texts::kErrorOpenFile));
    return;
  }
  const std::vector<InfLine> lines = ReadSection(inf->handle, W(kManufacturerSection), true);
  // Drawn once when filled: a list that redraws itself after every insertion takes
  // minutes for a package of some thousand lines.
  m_manufacturers.SetRedraw(FALSE);
  for (const Manufacturer& m : ReadManufacturers(lines)) {
    m_manufacturers.InsertItem(m_manufacturers.GetItemCount(), W(m.name), m.decorated ? 1 : 0);
  }
  m_manufacturers.SetRedraw(TRUE);
  m_manufacturers.Invalidate();
}

void CListModelPage::LoadModels(const CString& path, const CString& section) {
  m_models.DeleteAllItems();
  m_listedSection.Empty();
  auto inf = MakeAutoCloser<HINF>(INVALID_HANDLE_VALUE, &::SetupCloseInfFile);
  inf->handle = ::SetupOpenInfFileW(path, nullptr, INF_STYLE_WIN4, nullptr);
  if (inf->handle == INVALID_HANDLE_VALUE) {
    ShowError(this, LoadText(texts::kErrorOpenFile));
    return;
  }
  std::vector<std::u16string> keys;
  for (InfLine& line : ReadSection(inf->handle, section, false)) keys.push_back(std::move(line.key));
  m_models.SetRedraw(FALSE);
  for (const std::u16string& model : ReadModels(keys)) {
    m_models.InsertItem(m_models.GetItemCount(), W(model));
  }
  m_models.SetRedraw(TRUE);
  m_models.Invalidate();
  m_listedSection = section;
  inf.reset();
  SelectItem(m_models, 0);
}

bool CListModelPage::GetModelsSection(CString& section) const {
  const int item = m_manufacturers.GetNextItem(-1, LVNI_SELECTED);
  if (item < 0) return false;
  const Manufacturer m{ToU16(m_manufacturers.GetItemText(item, 0)), m_manufacturers.GetItemData(item) != 0};
  section = ToCString(ModelsSectionOf(m, Is64BitWindows()));
  return true;
}

bool CListModelPage::GetSelectedModel(CString& model) const {
  const int item = m_models.GetNextItem(-1, LVNI_SELECTED);
  if (item < 0) return false;
  model = m_models.GetItemText(item, 0);
  return true;
}

std::optional<std::u16string> CListModelPage::SelectedModel() const {
  CString model;
  if (!GetSelectedModel(model)) return std::nullopt;
  return ToU16(model);
}

void CListModelPage::SuggestNameFromModel() {
  if (auto name = ModelNameSuggestion(TheState().singlePortMode, SelectedModel())) {
    m_name.SetWindowText(W(*name));
  }
}

BOOL CListModelPage::OnSetActive() {
  PostWizardButtons(kBackNext);
  InstallerState& state = TheState();

  m_manufacturers.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  m_models.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  m_manufacturers.DeleteColumn(0);
  m_models.DeleteColumn(0);
  m_manufacturers.InsertColumn(0, LoadText(texts::kColumnManufacturer), LVCFMT_LEFT);
  m_models.InsertColumn(0, LoadText(texts::kColumnModel), LVCFMT_LEFT);
  m_manufacturers.SetColumnWidth(0, 140);
  m_models.SetColumnWidth(0, 280);

  SetTexts({{IDC_LISTMODEL_HAVEDISK, texts::kButtonHaveDisk},
            {IDC_LISTMODEL_INTRO, texts::kModelIntro},
            {IDC_LISTMODEL_NAME_LABEL, texts::kModelPrinterNameLabel}});

  const CString path = TheApp().GetProfileString(kProfileSection, kProfileInfFile, L"");
  if (IsExistingFile(path)) {
    m_selecting = true;
    state.infPath = path;
    LoadManufacturers(path);
    const std::vector<std::u16string> names = ItemTexts(m_manufacturers);
    std::vector<std::u16string> sections;
    for (int i = 0; i < int(names.size()); ++i) {
      sections.push_back(ModelsSectionOf(Manufacturer{names[size_t(i)], m_manufacturers.GetItemData(i) != 0},
                                         Is64BitWindows()));
    }
    const std::u16string section = ToU16(state.chosenModelsSection);
    int item = FindItemToReselect(names, sections, section, WithoutDecoration(section));
    SelectItem(m_manufacturers, item >= 0 ? item : 0);
    if (GetModelsSection(state.chosenModelsSection)) {
      LoadModels(path, state.chosenModelsSection);
      if (!state.chosenModel.IsEmpty()) {
        const std::vector<std::u16string> models = ItemTexts(m_models);
        const std::u16string model = ToU16(state.chosenModel);
        item = FindItemToReselect(models, models, model, model);
        if (item >= 0) SelectItem(m_models, item);
      } else {
        SelectItem(m_models, 0);
      }
    } else {
      // No manufacturer to take models from: the models of an earlier package go.
      m_models.DeleteAllItems();
      m_listedSection.Empty();
    }
    m_selecting = false;
  }

  m_name.SetLimitText(UINT(twk::setup::PrinterNameLimit(CurrentWindowsKind())));
  ModelPrefillInput prefill;
  prefill.radioQueues = state.radioQueues;
  prefill.radioSearch = state.radioServerSearch;
  prefill.serverName = ToU16(state.printServerName);
  prefill.printerName = ToU16(state.printerName);
  prefill.selectedModel = SelectedModel();
  if (auto name = PrefillModelPrinterName(prefill)) m_name.SetWindowText(W(*name));
  if (m_name.GetWindowTextLength() == 0 && SelectedModel()) SuggestNameFromModel();

  return CPropertyPageExEx::OnSetActive();
}

void CListModelPage::OnHaveDisk() {
  const CString initial = TheApp().GetProfileString(kProfileSection, kProfileInfFile, L"");
  // Owned by the wizard (the application's main window), which it disables while open.
  CFileDialog dialog(TRUE, L"inf", initial, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, L"*.inf|*.inf||");
  if (dialog.DoModal() != IDOK) return;

  InstallerState& state = TheState();
  state.infPath = dialog.GetPathName();
  TheApp().WriteProfileString(kProfileSection, kProfileInfFile, state.infPath);
  LoadManufacturers(state.infPath);
  m_selecting = true;
  const bool selected = SelectItem(m_manufacturers, 0);
  m_selecting = false;
  if (selected && GetModelsSection(state.chosenModelsSection)) {
    LoadModels(state.infPath, state.chosenModelsSection);
    if (m_name.GetWindowTextLength() == 0 && SelectedModel()) SuggestNameFromModel();
  }
}

LRESULT CListModelPage::OnWizardNext() {
  CWaitCursor wait;
  InstallerState& state = TheState();
  const std::optional<std::u16string> model = SelectedModel();
  if (!model) {
    ShowError(this, LoadText(texts::kErrorSelectModel));
    return -1;
  }
  CString section;
  if (GetModelsSection(section)) {
    state.chosenModelsSection = section;
    state.driverSource.modelsSection = section;
  }
  state.chosenModel = ToCString(*model);
  state.driverSource.modelName = state.chosenModel;
  state.driverSource.infPath = state.infPath;
  state.driverName = state.chosenModel;
  m_name.GetWindowText(state.printerName);

  const ModelRefusal refusal = CheckModelNext(true, ToU16(state.printerName), CurrentWindowsKind());
  if (refusal != ModelRefusal::None) {
    ShowError(this, refusal == ModelRefusal::EmptyName
                        ? LoadText(texts::kErrorEmptyPrinterName)
                        : LoadText(texts::kErrorPrinterNameTooLong));
    m_name.SetSel(0, -1);
    m_name.SetFocus();
    return -1;
  }

  CStringList drivers;
  EnumDriverNames(drivers);
  state.driverInstalled = IsDriverInstalled(ToU16List(drivers), *model);
  return AcceptNext(ModelNextPage(state.driverInstalled));
}

LRESULT CListModelPage::OnWizardBack() {
  InstallerState& state = TheState();
  GetModelsSection(state.chosenModelsSection);
  GetSelectedModel(state.chosenModel);
  return GoBack();
}

BOOL CListModelPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_LISTMODEL_HAVEDISK && HIWORD(wParam) == BN_CLICKED) {
    OnHaveDisk();
    return TRUE;
  }
  return CPropertyPageExEx::OnCommand(wParam, lParam);
}

void CListModelPage::OnManufacturerChosen() {
  InstallerState& state = TheState();
  CString section;
  if (!GetModelsSection(section)) return;
  state.chosenModelsSection = section;
  if (section != m_listedSection) LoadModels(state.infPath, section);
}

BOOL CListModelPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr && hdr->idFrom == UINT_PTR(IDC_LISTMODEL_MANUFACTURERS)) {
    if (hdr->code == NM_CLICK) {
      OnManufacturerChosen();
      *result = 0;
      return TRUE;
    }
    // A manufacturer chosen with the keyboard lists its models too, so that the
    // models shown, and the model Next stores, always belong to the selected one.
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (hdr->code == LVN_ITEMCHANGED && !m_selecting && (change->uChanged & LVIF_STATE) &&
        (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) {
      OnManufacturerChosen();
      *result = 0;
      return TRUE;
    }
  }
  if (hdr && hdr->idFrom == UINT_PTR(IDC_LISTMODEL_MODELS) && hdr->code == NM_CLICK) {
    SuggestNameFromModel();
    *result = 0;
    return TRUE;
  }
  return CPropertyPageExEx::OnNotify(wParam, lParam, result);
}
