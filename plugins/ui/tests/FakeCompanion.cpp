// A stand-in for the companion library qvui.dll: records every call in the test
// program's probe and writes the values the test chose in ExternalApply.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <type_traits>

#include "Companion.h"
#include "CompanionProbe.h"

using qv::ui::test::CompanionProbe;

namespace {

HINSTANCE g_self = nullptr;

CompanionProbe* Probe() {
  const auto fn = reinterpret_cast<qv::ui::test::ProbeFn>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(nullptr), qv::ui::test::kProbeExportName)));
  return fn ? fn() : nullptr;
}

void Record(char event) {
  CompanionProbe* probe = Probe();
  if (probe && probe->eventCount < static_cast<int>(sizeof probe->events) - 1)
    probe->events[probe->eventCount++] = event;
}

void CopyText(WCHAR* to, std::size_t capacity, const WCHAR* from) {
  to[0] = L'\0';
  if (from) {
    std::wcsncpy(to, from, capacity - 1);
    to[capacity - 1] = L'\0';
  }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_self = instance;
    Record('A');
    if (CompanionProbe* probe = Probe())
      GetModuleFileNameW(instance, probe->modulePath, MAX_PATH);
  } else if (reason == DLL_PROCESS_DETACH) {
    Record('D');
  }
  return TRUE;
}

extern "C" __declspec(dllexport) unsigned char __cdecl EmbedExtern(
    HWND page, const WCHAR* dataFileName, const WCHAR* printerName, DWORD constant2,
    std::size_t bodySize, void* body, std::size_t settingsSize, void* settings,
    unsigned char readOnly) {
  Record('E');
  CompanionProbe* probe = Probe();
  if (!probe) return 0;
  probe->embedPage = page;
  CopyText(probe->embedDataFile, sizeof probe->embedDataFile / sizeof(WCHAR), dataFileName);
  CopyText(probe->embedPrinter, sizeof probe->embedPrinter / sizeof(WCHAR), printerName);
  probe->embedConstant = constant2;
  probe->embedBodySize = bodySize;
  probe->embedBody = body;
  if (body) std::memcpy(&probe->embedBodySeen, body, sizeof probe->embedBodySeen);
  probe->embedSettingsSize = settingsSize;
  probe->embedSettings = settings;
  if (settings) std::memcpy(&probe->embedSettingsSeen, settings, sizeof probe->embedSettingsSeen);
  probe->embedReadOnly = readOnly;
  return probe->embedAnswer;
}

extern "C" __declspec(dllexport) unsigned char __cdecl ExternalApply(std::size_t bodySize,
                                                                     void* body,
                                                                     std::size_t settingsSize,
                                                                     void* settings) {
  Record('P');
  CompanionProbe* probe = Probe();
  if (!probe) return 0;
  probe->applyBodySize = bodySize;
  probe->applyBodyAt = body;
  probe->applySettingsSize = settingsSize;
  if (body) std::memcpy(&probe->applyBodySeen, body, sizeof probe->applyBodySeen);
  if (settings)
    std::memcpy(&probe->applySettingsSeen, settings, sizeof probe->applySettingsSeen);
  if (probe->writeOnApply && body && settings) {
    std::memcpy(body, &probe->applyBody, sizeof probe->applyBody);
    std::memcpy(settings, &probe->applySettings, sizeof probe->applySettings);
  }
  return 1;
}

extern "C" __declspec(dllexport) void __cdecl UnembedExternal() { Record('U'); }

// The plug-in calls through these types: the definitions must match them exactly.
static_assert(std::is_same<decltype(&EmbedExtern), qv::ui::EmbedExternFn>::value, "EmbedExtern");
static_assert(std::is_same<decltype(&ExternalApply), qv::ui::ExternalApplyFn>::value,
              "ExternalApply");
static_assert(std::is_same<decltype(&UnembedExternal), qv::ui::UnembedExternalFn>::value,
              "UnembedExternal");
