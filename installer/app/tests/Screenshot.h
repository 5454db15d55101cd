// A screenshot of the whole Xvfb screen as PNG under QV_SHOT_DIR, taken with
// imagemagick's import when it is installed (Wine starts Unix programs directly).
// For people to look at the pages; nothing is asserted on it.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

inline void Screenshot(HWND window, const std::string& name) {
  const char* dir = getenv("QV_SHOT_DIR");
  if (!dir || GetFileAttributesW(L"Z:\\usr\\bin\\import") == INVALID_FILE_ATTRIBUTES) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const std::string unixFile = std::string(dir) + "/" + name + ".png";
  std::wstring dosDir = L"Z:" + std::wstring(dir, dir + strlen(dir));
  for (auto& c : dosDir)
    if (c == L'/') c = L'\\';
  CreateDirectoryW(dosDir.c_str(), nullptr);
  const std::wstring dosFile = dosDir + L"\\" + std::wstring(name.begin(), name.end()) + L".png";
  DeleteFileW(dosFile.c_str());

  std::string command = "/usr/bin/import -window root " + unixFile;
  std::wstring wide(command.begin(), command.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, &wide[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return;
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  // The handle of a Unix program does not tell when it ends: wait for the file to
  // appear and stop growing (at most 10 s), letting the window paint meanwhile.
  ULONGLONG last = ~0ull;
  for (int i = 0; i < 100; ++i) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(100);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(dosFile.c_str(), GetFileExInfoStandard, &data)) continue;
    const ULONGLONG size = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (size > 0 && size == last) return;
    last = size;
  }
}
