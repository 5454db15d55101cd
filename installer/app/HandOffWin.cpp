// The hand-off's system calls on Windows, and the 32-bit program's start of the
// embedded 64-bit program (built into tarnwick.exe only).
#include "HandOff.h"

#ifndef _WIN64
#include <string>

#include "Utf16.h"

namespace {

// The hand-off's system calls.
class Win32HandOff : public HandOffSystem {
public:
  uint32_t LastError() override { return ::GetLastError(); }
  std::u16string TempPath() override {
    wchar_t dir[524] = {};
    ::GetTempPathW(524, dir);
    return ToU16(dir);
  }
  std::u16string TempFileName(const std::u16string& dir, const std::u16string& prefix) override {
    wchar_t name[MAX_PATH + 1] = {};
    ::GetTempFileNameW(W(dir), W(prefix), 0, name);  // also makes the empty file
    return ToU16(name);
  }
  uintptr_t CreateForExecute(const std::u16string& name) override {
    HANDLE file = ::CreateFileW(W(name), DELETE | FILE_EXECUTE | FILE_WRITE_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, nullptr);
    return file == INVALID_HANDLE_VALUE ? kInvalid : reinterpret_cast<uintptr_t>(file);
  }
  bool Write(uintptr_t file, const uint8_t* data, size_t size, size_t& written) override {
    DWORD done = 0;
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : DWORD(size);
    BOOL ok = ::WriteFile(reinterpret_cast<HANDLE>(file), data, chunk, &done, nullptr);
    written = done;
    return ok != FALSE;
  }
  void Close(uintptr_t file) override { ::CloseHandle(reinterpret_cast<HANDLE>(file)); }
  void Delete(const std::u16string& name) override { ::DeleteFileW(W(name)); }
  bool StartAndWait(const std::u16string& name) override {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // The command line must be writable for CreateProcessW.
    std::wstring commandLine = ::GetCommandLineW();
    if (!::CreateProcessW(W(name), &commandLine[0], nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                          nullptr, nullptr, &startup, &process)) {
      return false;
    }
    // The exit code is not read; the handles go with this process.
    ::WaitForSingleObject(process.hProcess, INFINITE);
    return true;
  }
};

}  // namespace

DWORD RunX64Build(HRSRC resource) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  const DWORD size = ::SizeofResource(module, resource);
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return ::GetLastError() ? ::GetLastError() : ERROR_RESOURCE_DATA_NOT_FOUND;
  Win32HandOff system;
  return RunHandOff(system, static_cast<const uint8_t*>(bytes), size);
}
#endif
