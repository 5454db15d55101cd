// The rules of installing a printer driver from an INF package, without any
// Windows call: which names the package gives, where each copy-file entry goes,
// which files are listed as the driver's dependent files or as colour profiles,
// and the driver record handed to the spooler. The Windows build supplies the INF
// reader and the setup/spooler calls through InfPackage and SetupHost.
#pragma once

#include "SetupText.h"

#include <memory>
#include <vector>

namespace twk::setup {

// Directory ids that the driver installation binds before it queues files.
constexpr uint32_t kDirIdDriver = 66000;
constexpr uint32_t kDirIdPrintProcessor = 66001;
constexpr uint32_t kDirIdColor = 66003;

// One opened INF file. Lines are found by key as SetupAPI finds them.
class InfPackage {
public:
  virtual ~InfPackage() = default;
  // Field `index` of the first line of `section` with key `key`, up to its first
  // NUL; empty when there is no such line.
  virtual Text ReadField(const Text& section, const Text& key, unsigned index) = 0;
  virtual bool HasLine(const Text& section, const Text& key) = 0;
  // Fields 1..n of the first line of `section` with key `key` (empty when none).
  virtual std::vector<Text> LineFields(const Text& section, const Text& key) = 0;
  // The section exists and has at least one line.
  virtual bool HasLines(const Text& section) = 0;
  // The whole text of every line of the section, in line order.
  virtual std::vector<Text> LineTexts(const Text& section) = 0;
  // Field 1 of every line of the section, in line order.
  virtual std::vector<Text> LineFirstFields(const Text& section) = 0;
};

// The driver record given to the spooler (DRIVER_INFO_3; the monitor name is
// always none). dependentFiles holds NUL-separated names ending in two NULs.
struct DriverRecord {
  uint32_t version = 0;
  Text name;
  Text environment;
  Text driverPath;
  Text dataFile;
  Text configFile;
  Text helpFile;
  Text dependentFiles;
  Text defaultDataType;
};

class SetupHost {
public:
  virtual ~SetupHost() = default;
  // Opens an INF (INF_STYLE_WIN4); on failure answers null and sets `error`.
  virtual std::unique_ptr<InfPackage> OpenInf(const Text& path, uint32_t& error) = 0;
  virtual Text DriverDirectory() = 0;
  virtual Text PrintProcessorDirectory() = 0;
  virtual Text ColorProfileDirectory() = 0;
  // Binds a DIRID of `inf` to a directory; the outcome does not matter.
  virtual void SetDirectoryId(InfPackage& inf, uint32_t dirId, const Text& directory) = 0;
  // Opens a file queue and a default-callback context, queues the section's files
  // (from `sourceRoot`, or the INF's own source when null), applies its AddReg
  // entries when `applyAddReg` and commits. Answers 0 or the failing call's code.
  virtual uint32_t InstallSectionFiles(InfPackage& inf, const Text& section, const Text* sourceRoot,
                                       bool applyAddReg) = 0;
  // Registers the driver (AddPrinterDriverW level 3): 0 or the code of the failure.
  virtual uint32_t RegisterDriver(const DriverRecord& record) = 0;
};

// The driver to install: models section, model name, INF path.
struct DriverSourceText {
  Text modelsSection;
  Text modelName;
  Text infPath;
};

// How a copy-file entry is listed besides being copied.
enum class EntryListing {
  None,           // copied only
  DependentName,  // the entry itself, without its leading "@"
  DependentLines, // every line of the section it names
  ColorProfiles,  // field 1 of every line of the section it names
};

EntryListing ClassifyCopyFilesEntry(const Text& entry, uint32_t dirId, const WindowsKind& kind,
                                    bool colourProfilesAllowed);

// The directory that a DIRID is bound to.
Text DirectoryForDirId(uint32_t dirId, SetupHost& host);

// Binds the destination of `key` in `inf` from its "DestinationDirs" and answers
// the DIRID by which its entries are classified (0 when neither the key nor
// "DefaultDestDir" has a line).
uint32_t ResolveDestination(InfPackage& inf, const Text& key, SetupHost& host);

// pDependentFiles: each name cut before its first ",", with the driver directory in
// front unless on Windows 9x, NUL-terminated, then two more NULs. Names that are
// empty after the cut are left out (an empty name would end the list early).
Text BuildDependentFiles(const std::vector<Text>& names, bool win9x, const Text& driverDirectory);

// The INF path up to its last backslash (not included); empty without one.
Text SourceRootOf(const Text& infPath);

uint32_t DriverVersionFor(const WindowsKind& kind);
Text DriverEnvironmentFor(const WindowsKind& kind);

// Installs the model's driver. Answers 0 when the driver was registered, else a
// non-zero Win32 code: the failing call's, or ERROR_INVALID_DATA for a line the
// package lacks. Colour-profile names are appended to `colourProfiles`.
uint32_t InstallDriverFromInf(const DriverSourceText& source, const WindowsKind& kind, SetupHost& host,
                              std::vector<Text>& colourProfiles);

}  // namespace twk::setup
