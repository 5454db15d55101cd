#include "WizardCore.h"

#include <string>

#include "AutoCloser.h"

ProgramVersion VersionFromFileVersion(uint32_t versionMS, uint32_t versionLS) {
  ProgramVersion v;
  v.major = (versionMS >> 16) & 0xFF;
  v.minor = versionMS & 0xFF;
  v.build = (versionLS >> 16) & 0xFFFF;
  return v;
}

std::u16string FormatVersionLine(const ProgramVersion& version, const std::u16string& language) {
  auto number = [](uint32_t n) {
    std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
  };
  return u"v" + number(version.major) + u"." + number(version.minor) + u"." +
         number(version.build) + u" - " + language;
}

size_t RecolourTeal(uint8_t* pixels, size_t bytes, size_t width, size_t stride, uint8_t red,
                    uint8_t green, uint8_t blue) {
  if (!pixels || stride < width * 3) return 0;
  size_t changed = 0;
  for (size_t row = 0; row < bytes; row += stride) {
    for (size_t x = 0; x < width; ++x) {
      const size_t at = row + x * 3;
      if (at + 3 > bytes) return changed;
      uint8_t* p = pixels + at;
      if (p[0] == 128 && p[1] == 128 && p[2] == 0) {
        p[0] = blue;
        p[1] = green;
        p[2] = red;
        ++changed;
      }
    }
  }
  return changed;
}

namespace {
constexpr uint32_t kWriteFault = 29;  // ERROR_WRITE_FAULT
}  // namespace

uint32_t RunHandOff(HandOffSystem& system, const uint8_t* program, size_t size) {
  const std::u16string name = system.TempFileName(system.TempPath(), u"TW");
  auto closeFile = [&system](uintptr_t file) {
    system.Close(file);
    return true;
  };
  auto deleteFile = [&system](const std::u16string* file) {
    system.Delete(*file);
    return true;
  };
  // Declared in this order so that the handle is closed before the file is deleted.
  auto fileName = MakeAutoCloser<const std::u16string*>(nullptr, deleteFile);
  auto file = MakeAutoCloser<uintptr_t>(HandOffSystem::kInvalid, closeFile);
  fileName->handle = &name;

  file->handle = system.CreateForExecute(name);
  if (file->handle == HandOffSystem::kInvalid) return system.LastError();
  size_t done = 0;
  while (done < size) {
    size_t written = 0;
    if (!system.Write(file->handle, program + done, size - done, written)) return system.LastError();
    // A write that reports success but moves nothing would repeat for ever.
    if (written == 0 || written > size - done) return kWriteFault;
    done += written;
  }
  system.Close(file->handle);
  file->handle = HandOffSystem::kInvalid;
  if (!system.StartAndWait(name)) return system.LastError();
  return 0;
}
