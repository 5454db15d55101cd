// The 32-bit program's hand-off to the embedded 64-bit program on 64-bit Windows:
// the program's bytes go to a temporary file that is run and then removed. The
// system calls it makes form an interface, so that its order and its clean-up are
// testable natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

// The system calls of the hand-off. Handles are opaque numbers; kInvalid is the
// invalid file handle. Every call that can fail answers false (or kInvalid), and
// LastError then tells the system's error code.
class HandOffSystem {
public:
  static constexpr uintptr_t kInvalid = ~uintptr_t(0);
  virtual ~HandOffSystem() = default;
  virtual uint32_t LastError() = 0;
  virtual std::u16string TempPath() = 0;
  // A new, empty temporary file in dir whose name starts with prefix; the name is
  // answered even when the system could not make the file.
  virtual std::u16string TempFileName(const std::u16string& dir, const std::u16string& prefix) = 0;
  virtual uintptr_t CreateForExecute(const std::u16string& name) = 0;
  // Writes up to size bytes; written tells how many went out.
  virtual bool Write(uintptr_t file, const uint8_t* data, size_t size, size_t& written) = 0;
  virtual void Close(uintptr_t file) = 0;
  virtual void Delete(const std::u16string& name) = 0;
  // Starts program name with this process's own command line and waits for it to end.
  virtual bool StartAndWait(const std::u16string& name) = 0;
};

// Writes the program bytes to a new "TW" temporary file, runs it with this process's
// command line and waits for it; the file is closed and deleted on every way out.
// Answers 0 when the program ran to its end, else the system's error code.
uint32_t RunHandOff(HandOffSystem& system, const uint8_t* program, size_t size);

#if defined(_WIN32) && !defined(_WIN64)
// The 32-bit program's hand-off to the embedded 64-bit program (RCDATA 101).
DWORD RunX64Build(HRSRC resource);
#endif
