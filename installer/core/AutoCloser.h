// Scoped closers for system resources acquired inside one operation.
//
// A closer lives on the heap and is owned by a scope-bound pointer (see
// MakeAutoCloser), so every way out of the operation -- return, early error return
// or exception -- releases the resource. The owner stores the handle after acquiring
// it and writes the invalid value back when it has released the resource itself.
#pragma once

#include <memory>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

template <typename T>
class AutoCloser {
public:
  AutoCloser() = default;
  AutoCloser(const AutoCloser&) = delete;
  AutoCloser& operator=(const AutoCloser&) = delete;
  // Virtual so that a closer can be deleted through this base.
  virtual ~AutoCloser() = default;
  // Kept for the layout of the interface; nothing calls it.
  virtual void Reserved() = 0;
};

template <typename T, typename F>
class AutoCloserFn : public AutoCloser<T> {
public:
  // The handle starts equal to the invalid value: nothing to close yet.
  AutoCloserFn(T invalidValue, F closeFunction)
      : handle(invalidValue), invalid(invalidValue), close(std::move(closeFunction)) {}

  // Closes the handle unless it holds the invalid value; the closing function's
  // result is ignored (there is nothing left to do about a failed close).
  ~AutoCloserFn() override {
    if (!(handle == invalid)) {
      (void)close(handle);
    }
  }

  void Reserved() override {}

  T handle;
  T invalid;
  F close;
};

// The owning pointer of a closer; destroying it closes the handle.
template <typename T, typename F>
std::unique_ptr<AutoCloserFn<T, F>> MakeAutoCloser(T invalidValue, F closeFunction) {
  return std::make_unique<AutoCloserFn<T, F>>(invalidValue, std::move(closeFunction));
}

#ifdef _WIN32
// The closers the installer uses. The setup handles (HINF, HSPFILEQ, the queue
// callback context) are all plain pointers, so the generic-handle closers take them;
// their closing functions come in two types, returning BOOL or nothing.
using ModuleCloser = AutoCloserFn<HMODULE, BOOL(WINAPI*)(HMODULE)>;         // FreeLibrary
using HandleCloser = AutoCloserFn<HANDLE, BOOL(WINAPI*)(HANDLE)>;           // CloseHandle, SetupCloseFileQueue
using HandleCloserVoid = AutoCloserFn<HANDLE, VOID(WINAPI*)(HANDLE)>;       // SetupCloseInfFile, SetupTermDefaultQueueCallback
using BufferCloser = AutoCloserFn<wchar_t*, void (*)(void*)>;               // free
using FileDeleter = AutoCloserFn<const wchar_t*, BOOL(WINAPI*)(LPCWSTR)>;  // DeleteFileW; the name must outlive the closer
#endif
