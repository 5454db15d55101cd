#include "HandOff.h"

#include "AutoCloser.h"

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
