// The installer application's decisions that need no Windows call: the version line
// of the Welcome page, the recolouring of the wizard's header image, and the hand-off
// from the 32-bit program to the embedded 64-bit one (over an interface of the system
// calls it makes, so that its order and its clean-up are testable natively).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Major and minor version (8 bits each) and build number (16 bits) of a file
// version given as its two double words (VS_FIXEDFILEINFO's dwFileVersionMS/LS).
struct ProgramVersion {
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
};
ProgramVersion VersionFromFileVersion(uint32_t versionMS, uint32_t versionLS);

// "v<major>.<minor>.<build> - <language>".
std::u16string FormatVersionLine(const ProgramVersion& version, const std::u16string& language);

// Every pixel of colour RGB(0,128,128) in a 24-bit image whose bytes are blue, green,
// red per pixel and whose rows are stride bytes apart takes the colour (red, green,
// blue). Only the first `bytes` bytes are touched (a short read leaves the rest alone).
// Answers the number of pixels changed.
size_t RecolourTeal(uint8_t* pixels, size_t bytes, size_t width, size_t stride, uint8_t red,
                    uint8_t green, uint8_t blue);

// Row length of a bitmap's bits as GetBitmapBits/SetBitmapBits deliver them: rows are
// padded to a multiple of 2 bytes.
constexpr size_t BitmapBitsStride(size_t width, size_t bitsPerPixel) {
  return ((width * bitsPerPixel + 15) / 16) * 2;
}

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
