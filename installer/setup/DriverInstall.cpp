#include "DriverInstall.h"

#include <algorithm>

namespace twk::setup {
namespace {

const Text kDestinationDirs = u"DestinationDirs";
const Text kDefaultDestDir = u"DefaultDestDir";
const Text kCopyFiles = u"CopyFiles";

// Lists one copy-file entry (classified by `dirId`) into the dependent files or
// the colour profiles; the section it names is read from `inf`.
void ListEntry(InfPackage& inf, const Text& entry, uint32_t dirId, const WindowsKind& kind,
               bool colourProfilesAllowed, std::vector<Text>& dependents, std::vector<Text>& colours) {
  switch (ClassifyCopyFilesEntry(entry, dirId, kind, colourProfilesAllowed)) {
  case EntryListing::DependentName:
    dependents.push_back(entry.substr(1));
    break;
  case EntryListing::DependentLines:
    for (Text& line : inf.LineTexts(entry)) dependents.push_back(std::move(line));
    break;
  case EntryListing::ColorProfiles:
    for (Text& name : inf.LineFirstFields(entry)) colours.push_back(std::move(name));
    break;
  case EntryListing::None:
    break;
  }
}

Text InDirectory(const Text& directory, const Text& name) { return directory + u"\\" + name; }

}  // namespace

EntryListing ClassifyCopyFilesEntry(const Text& entry, uint32_t dirId, const WindowsKind& kind,
                                    bool colourProfilesAllowed) {
  const bool dependent = kind.win9x || dirId == kDirIdDriver;
  if (dependent && !entry.empty() && entry[0] == u'@') return EntryListing::DependentName;
  if (dependent) return EntryListing::DependentLines;
  if (colourProfilesAllowed && !kind.win9x && dirId == kDirIdColor) return EntryListing::ColorProfiles;
  return EntryListing::None;
}

Text DirectoryForDirId(uint32_t dirId, SetupHost& host) {
  if (dirId == kDirIdPrintProcessor) return host.PrintProcessorDirectory();
  if (dirId == kDirIdColor) return host.ColorProfileDirectory();
  return host.DriverDirectory();
}

uint32_t ResolveDestination(InfPackage& inf, const Text& key, SetupHost& host) {
  for (const Text* k : {&key, &kDefaultDestDir}) {
    if (inf.HasLine(kDestinationDirs, *k)) {
      uint32_t dirId = uint32_t(CDecimalToInt32(inf.ReadField(kDestinationDirs, *k, 1)));
      host.SetDirectoryId(inf, dirId, DirectoryForDirId(dirId, host));
      return dirId;
    }
  }
  host.SetDirectoryId(inf, kDirIdDriver, host.DriverDirectory());
  return 0;
}

Text BuildDependentFiles(const std::vector<Text>& names, bool win9x, const Text& driverDirectory) {
  Text buffer;
  for (const Text& entry : names) {
    Text name = entry.substr(0, entry.find(u','));
    if (name.empty()) continue;
    buffer += win9x ? name : InDirectory(driverDirectory, name);
    buffer += u'\0';
  }
  buffer += u'\0';
  buffer += u'\0';
  return buffer;
}

Text SourceRootOf(const Text& infPath) {
  size_t slash = infPath.rfind(u'\\');
  return slash == Text::npos ? Text() : infPath.substr(0, slash);
}

uint32_t DriverVersionFor(const WindowsKind& kind) { return kind.win9x ? 0 : kind.nt4 ? 2 : 3; }

Text DriverEnvironmentFor(const WindowsKind& kind) {
  if (kind.win9x) return u"Windows 4.0";
  return kind.x64 ? u"Windows x64" : u"Windows NT x86";
}

uint32_t InstallDriverFromInf(const DriverSourceText& source, const WindowsKind& kind, SetupHost& host,
                              std::vector<Text>& colourProfiles) {
  DriverRecord record;
  record.version = DriverVersionFor(kind);
  record.environment = DriverEnvironmentFor(kind);
  record.name = source.modelName;
  record.defaultDataType = u"RAW";

  uint32_t error = 0;
  std::unique_ptr<InfPackage> inf = host.OpenInf(source.infPath, error);
  if (!inf) return FailureCode(error);

  const Text installSection = inf->ReadField(source.modelsSection, source.modelName, 1);
  const Text dataSection = inf->ReadField(installSection, u"DataSection", 1);
  record.dataFile = InDirectory(host.DriverDirectory(), inf->ReadField(installSection, u"DataFile", 1));

  // Without its own file list the package cannot be installed; stop before
  // anything (also of the included packages) is copied.
  if (!inf->HasLine(installSection, kCopyFiles)) return kErrorInvalidData;

  std::vector<Text> dependents;
  Text driverFile, configFile, helpFile;
  if (inf->HasLine(installSection, u"Include")) {
    // SetupAPI reads "Include =" as one empty field: that names no INF.
    std::vector<Text> included = inf->LineFields(installSection, u"Include");
    included.erase(std::remove(included.begin(), included.end(), Text()), included.end());
    if (!inf->HasLine(installSection, u"Needs")) return kErrorInvalidData;
    const std::vector<Text> needed = inf->LineFields(installSection, u"Needs");
    for (const Text& name : included) {
      std::unique_ptr<InfPackage> other = host.OpenInf(name, error);
      if (!other) return FailureCode(error);
      for (const Text& section : needed) {
        if (!other->HasLines(section)) continue;
        const uint32_t dirId = ResolveDestination(*other, section, host);
        // A section that cannot be copied is left out; the others still are.
        if (host.InstallSectionFiles(*other, section, nullptr, false) != 0) continue;
        if (!other->HasLine(section, kCopyFiles)) continue;
        for (const Text& entry : other->LineFields(section, kCopyFiles))
          ListEntry(*other, entry, dirId, kind, false, dependents, colourProfiles);
      }
      // The last included package decides, also with lines it lacks.
      driverFile = other->ReadField(dataSection, u"DriverFile", 1);
      configFile = other->ReadField(dataSection, u"ConfigFile", 1);
      helpFile = other->ReadField(dataSection, u"HelpFile", 1);
    }
  } else {
    driverFile = inf->ReadField(dataSection, u"DriverFile", 1);
    configFile = inf->ReadField(dataSection, u"ConfigFile", 1);
    helpFile = inf->ReadField(dataSection, u"HelpFile", 1);
  }

  record.driverPath = driverFile.empty() ? Text() : InDirectory(host.DriverDirectory(), driverFile);
  record.configFile = configFile.empty() ? Text() : InDirectory(host.DriverDirectory(), configFile);
  record.helpFile = helpFile;

  for (const Text& entry : inf->LineFields(installSection, kCopyFiles)) {
    const uint32_t dirId = ResolveDestination(*inf, entry, host);
    ListEntry(*inf, entry, dirId, kind, true, dependents, colourProfiles);
  }
  record.dependentFiles = BuildDependentFiles(dependents, kind.win9x, host.DriverDirectory());

  const Text sourceRoot = SourceRootOf(source.infPath);
  error = host.InstallSectionFiles(*inf, installSection, &sourceRoot, inf->HasLine(installSection, u"AddReg"));
  if (error != 0) return error;
  return host.RegisterDriver(record);
}

}  // namespace twk::setup
