// What the test companion library (qvui.dll, FakeCompanion.cpp) records and how it
// answers. The test program exports QvTestCompanionProbe, which the companion finds in
// the process's main module; plain data only, since the two modules have separate C
// runtimes.
#pragma once

#include <windows.h>

#include <cstddef>

#include "DevmodeExchange.h"
#include "PrivateDevmode.h"

namespace qv {
namespace ui {
namespace test {

struct CompanionProbe {
  // Set by the test.
  unsigned char embedAnswer;        // what EmbedExtern answers
  unsigned char writeOnApply;       // ExternalApply copies the two records below
  PrivateDevmodeBody applyBody;
  PaperSettings applySettings;

  // Recorded by the companion: one letter per call, in order. A process attach,
  // E EmbedExtern, P ExternalApply, U UnembedExternal, D process detach.
  char events[64];
  int eventCount;
  WCHAR modulePath[MAX_PATH];       // where the companion was loaded from

  HWND embedPage;
  WCHAR embedDataFile[300];
  WCHAR embedPrinter[600];
  DWORD embedConstant;
  std::size_t embedBodySize;
  void* embedBody;
  PrivateDevmodeBody embedBodySeen;
  std::size_t embedSettingsSize;
  void* embedSettings;
  PaperSettings embedSettingsSeen;
  unsigned char embedReadOnly;

  std::size_t applyBodySize;
  void* applyBodyAt;
  PrivateDevmodeBody applyBodySeen;
  std::size_t applySettingsSize;
  PaperSettings applySettingsSeen;
};

typedef CompanionProbe*(__cdecl* ProbeFn)();
constexpr char kProbeExportName[] = "QvTestCompanionProbe";

}  // namespace test
}  // namespace ui
}  // namespace qv
