#include "DriverInstallWin.h"

#include <winspool.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "AutoCloser.h"
#include "DriverInstall.h"
#include "Printers.h"
#include "SetupTextWin.h"
#include "WinVersion.h"

using twk::setup::Text;

namespace {

// The code of the first file that a commit left uncopied (its source missing or
// unreadable, and the default callback chose to skip it), 0 while none was. The
// platform's commit still succeeds then; the package would be installed without
// that file, so the commit is taken as failed. Commits run on one thread.
thread_local DWORD gSkippedCopy = 0;

CString FieldAt(INFCONTEXT& context, DWORD field) {
  DWORD size = 0;
  SetupGetStringFieldW(&context, field, nullptr, 0, &size);
  std::vector<wchar_t> buffer(size + 1, 0);
  SetupGetStringFieldW(&context, field, buffer.data(), size + 1, nullptr);
  return CString(buffer.data());
}

// An INF opened with SetupOpenInfFileW; closed when the object goes.
class WinInf : public twk::setup::InfPackage {
public:
  explicit WinInf(HINF inf) : closer_(MakeAutoCloser<HANDLE, VOID(WINAPI*)(HANDLE)>(INVALID_HANDLE_VALUE, SetupCloseInfFile)) {
    closer_->handle = inf;
  }
  HINF Handle() const { return closer_->handle; }

  Text ReadField(const Text& section, const Text& key, unsigned index) override {
    return ToU16(ReadInfField(Handle(), W(section), W(key), index));
  }
  bool HasLine(const Text& section, const Text& key) override {
    INFCONTEXT context;
    return SetupFindFirstLineW(Handle(), W(section), W(key), &context) != FALSE;
  }
  std::vector<Text> LineFields(const Text& section, const Text& key) override {
    std::vector<Text> fields;
    INFCONTEXT context;
    if (!SetupFindFirstLineW(Handle(), W(section), W(key), &context)) return fields;
    const DWORD count = SetupGetFieldCount(&context);
    for (DWORD i = 1; i <= count; ++i) fields.push_back(ToU16(FieldAt(context, i)));
    return fields;
  }
  bool HasLines(const Text& section) override {
    INFCONTEXT context;
    return SetupFindFirstLineW(Handle(), W(section), nullptr, &context) != FALSE;
  }
  std::vector<Text> LineTexts(const Text& section) override {
    std::vector<Text> texts;
    const LONG count = SetupGetLineCountW(Handle(), W(section));
    for (LONG i = 0; i < count; ++i) {
      INFCONTEXT context;
      if (!SetupGetLineByIndexW(Handle(), W(section), DWORD(i), &context)) continue;
      DWORD size = 0;
      SetupGetLineTextW(&context, nullptr, nullptr, nullptr, nullptr, 0, &size);
      std::vector<wchar_t> buffer(size + 1, 0);
      SetupGetLineTextW(&context, nullptr, nullptr, nullptr, buffer.data(), size + 1, nullptr);
      texts.push_back(ToU16(buffer.data()));
    }
    return texts;
  }
  std::vector<Text> LineFirstFields(const Text& section) override {
    std::vector<Text> names;
    const LONG count = SetupGetLineCountW(Handle(), W(section));
    for (LONG i = 0; i < count; ++i) {
      INFCONTEXT context;
      if (SetupGetLineByIndexW(Handle(), W(section), DWORD(i), &context)) names.push_back(ToU16(FieldAt(context, 1)));
    }
    return names;
  }

private:
  std::unique_ptr<HandleCloserVoid> closer_;
};

class WinSetupHost : public twk::setup::SetupHost {
public:
  explicit WinSetupHost(HWND owner) : owner_(owner) {}

  std::unique_ptr<twk::setup::InfPackage> OpenInf(const Text& path, uint32_t& error) override {
    HINF inf = SetupOpenInfFileW(W(path), nullptr, INF_STYLE_WIN4, nullptr);
    if (inf == INVALID_HANDLE_VALUE) {
      error = GetLastError();
      return nullptr;
    }
    return std::make_unique<WinInf>(inf);
  }
  Text DriverDirectory() override { return ToU16(GetDriverDirectory()); }
  Text PrintProcessorDirectory() override { return ToU16(GetPrintProcessorDirectory()); }
  Text ColorProfileDirectory() override { return ToU16(GetColorProfileDirectory()); }
  void SetDirectoryId(twk::setup::InfPackage& inf, uint32_t dirId, const Text& directory) override {
    SetupSetDirectoryIdW(static_cast<WinInf&>(inf).Handle(), dirId, W(directory));
  }

  uint32_t InstallSectionFiles(twk::setup::InfPackage& package, const Text& section, const Text* sourceRoot,
                               bool applyAddReg) override {
    HINF inf = static_cast<WinInf&>(package).Handle();
    // Declared first, closed last: the callback context ends before its queue.
    auto queue = MakeAutoCloser<HANDLE, BOOL(WINAPI*)(HANDLE)>(INVALID_HANDLE_VALUE, SetupCloseFileQueue);
    queue->handle = SetupOpenFileQueue();
    if (queue->handle == INVALID_HANDLE_VALUE) return twk::setup::FailureCode(GetLastError());
    auto context = MakeAutoCloser<HANDLE, VOID(WINAPI*)(HANDLE)>(nullptr, SetupTermDefaultQueueCallback);
    context->handle = SetupInitDefaultQueueCallbackEx(owner_, nullptr, 0, 0, nullptr);
    if (!context->handle) return twk::setup::FailureCode(GetLastError());
    if (!SetupInstallFilesFromInfSectionW(inf, nullptr, queue->handle, W(section), sourceRoot ? W(*sourceRoot) : nullptr,
                                          SP_COPY_NEWER))
      return twk::setup::FailureCode(GetLastError());
    if (applyAddReg && !SetupInstallFromInfSectionW(owner_, inf, W(section), SPINST_REGISTRY, HKEY_LOCAL_MACHINE, nullptr, 0,
                                                    nullptr, nullptr, nullptr, nullptr))
      return twk::setup::FailureCode(GetLastError());
    gSkippedCopy = 0;
    if (!SetupCommitFileQueueW(owner_, queue->handle, SkipDeleteErrors, context->handle))
      return twk::setup::FailureCode(GetLastError());
    return gSkippedCopy;
  }

  uint32_t RegisterDriver(const twk::setup::DriverRecord& record) override {
    registrationTried_ = true;
    std::vector<wchar_t> name = Copy(record.name), environment = Copy(record.environment),
                         driverPath = Copy(record.driverPath), dataFile = Copy(record.dataFile),
                         configFile = Copy(record.configFile), helpFile = Copy(record.helpFile),
                         dataType = Copy(record.defaultDataType);
    // The dependent-file list holds NULs of its own: copied by length.
    auto dependents = MakeAutoCloser<wchar_t*, void (*)(void*)>(nullptr, std::free);
    dependents->handle = static_cast<wchar_t*>(std::calloc(record.dependentFiles.size() + 1, sizeof(wchar_t)));
    if (!dependents->handle) return ERROR_NOT_ENOUGH_MEMORY;
    std::memcpy(dependents->handle, record.dependentFiles.data(), record.dependentFiles.size() * sizeof(wchar_t));

    DRIVER_INFO_3W info;
    std::memset(&info, 0, sizeof info);
    info.cVersion = record.version;
    info.pName = name.data();
    info.pEnvironment = environment.data();
    info.pDriverPath = driverPath.data();
    info.pDataFile = dataFile.data();
    info.pConfigFile = configFile.data();
    info.pHelpFile = helpFile.data();
    info.pDependentFiles = dependents->handle;
    info.pMonitorName = nullptr;
    info.pDefaultDataType = dataType.data();
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&info))) return 0;
    return twk::setup::FailureCode(GetLastError());
  }

  // The package was read and copied, and the spooler was asked to register the driver.
  bool RegistrationTried() const { return registrationTried_; }

private:
  HWND owner_;
  bool registrationTried_ = false;
};

using GetColorDirectoryFn = BOOL(WINAPI*)(PCWSTR, PWSTR, PDWORD);

// One call of mscms's GetColorDirectoryW with the library loaded just for it.
bool CallGetColorDirectory(char16_t* buffer, uint32_t* size) {
  auto library = MakeAutoCloser<HMODULE, BOOL(WINAPI*)(HMODULE)>(nullptr, FreeLibrary);
  library->handle = LoadLibraryW(L"mscms.dll");
  if (!library->handle) return false;
  auto fn = reinterpret_cast<GetColorDirectoryFn>(
      reinterpret_cast<void*>(GetProcAddress(library->handle, "GetColorDirectoryW")));
  if (!fn) return false;
  DWORD bytes = *size;
  const BOOL ok = fn(nullptr, reinterpret_cast<PWSTR>(buffer), &bytes);
  *size = bytes;
  return ok != FALSE;
}

}  // namespace

twk::setup::WindowsKind CurrentWindowsKind() {
  twk::setup::WindowsKind kind;
  kind.win9x = IsWin9x();
  kind.nt4 = IsNT4();
  kind.x64 = Is64BitWindows();
  return kind;
}

CString ReadInfField(HINF inf, const wchar_t* section, const wchar_t* key, DWORD field) {
  INFCONTEXT context;
  if (!SetupFindFirstLineW(inf, section, key, &context)) return CString();
  return FieldAt(context, field);
}

namespace {

using SpoolerDirectoryFn = BOOL(WINAPI*)(LPWSTR, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD);

// A directory of the local spooler for this process's environment: the size
// first, then the text into a zero-filled buffer; empty when the second call fails.
CString SpoolerDirectory(SpoolerDirectoryFn query) {
  DWORD needed = 0;
  query(nullptr, nullptr, 1, nullptr, 0, &needed);
  std::vector<wchar_t> buffer(needed / sizeof(wchar_t) + 1, 0);
  if (!query(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer.data()), needed, &needed)) return CString();
  return CString(buffer.data());
}

}  // namespace

CString GetDriverDirectory() { return SpoolerDirectory(GetPrinterDriverDirectoryW); }

CString GetPrintProcessorDirectory() { return SpoolerDirectory(GetPrintProcessorDirectoryW); }

CString GetColorProfileDirectory() {
  return ToCString(twk::setup::ResolveColorDirectory(CallGetColorDirectory, [] { return ToU16(GetDriverDirectory()); }));
}

CString GetDirectoryForDirId(DWORD dirId) {
  if (dirId == twk::setup::kDirIdPrintProcessor) return GetPrintProcessorDirectory();
  if (dirId == twk::setup::kDirIdColor) return GetColorProfileDirectory();
  return GetDriverDirectory();
}

UINT CALLBACK SkipDeleteErrors(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2) {
  if (notification == SPFILENOTIFY_DELETEERROR) return FILEOP_SKIP;
  const UINT answer = SetupDefaultQueueCallbackW(context, notification, param1, param2);
  if (answer == FILEOP_SKIP && gSkippedCopy == 0) {
    if (notification == SPFILENOTIFY_COPYERROR) {
      const auto* paths = reinterpret_cast<const FILEPATHS_W*>(param1);
      gSkippedCopy = twk::setup::FailureCode(paths ? paths->Win32Error : 0);
    } else if (notification == SPFILENOTIFY_NEEDMEDIA) {
      gSkippedCopy = ERROR_FILE_NOT_FOUND;
    }
  }
  return answer;
}

DWORD InstallPrinterDriver(const DriverSource& source, HWND owner, CStringList& colourProfiles) {
  bool registrationFailed = false;
  return InstallPrinterDriver(source, owner, colourProfiles, registrationFailed);
}

DWORD InstallPrinterDriver(const DriverSource& source, HWND owner, CStringList& colourProfiles,
                           bool& registrationFailed) {
  WinSetupHost host(owner);
  std::vector<Text> profiles;
  const DWORD result = twk::setup::InstallDriverFromInf(
      {ToU16(source.modelsSection), ToU16(source.modelName), ToU16(source.infPath)}, CurrentWindowsKind(), host,
      profiles);
  for (const Text& name : profiles) colourProfiles.AddTail(ToCString(name));
  registrationFailed = result != 0 && host.RegistrationTried();
  return result;
}
