// The program's file version from its version resource.
#include "VersionLine.h"

#include <vector>

void GetProgramVersion(DWORD& major, DWORD& minor, DWORD& build) {
  std::vector<wchar_t> path(4095 + 1, L'\0');
  ::GetModuleFileNameW(nullptr, path.data(), 4095);
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.data(), &ignored);
  if (size == 0) return;
  std::vector<uint8_t> data(size, 0);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (::GetFileVersionInfoW(path.data(), 0, size, data.data()) &&
      ::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed &&
      fixedSize > 0) {
    const ProgramVersion v = VersionFromFileVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    major = v.major;
    minor = v.minor;
    build = v.build;
  }
}
