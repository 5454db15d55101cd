#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "AutoCloser.h"
#include "InstallerState.h"
#include "WinVersion.h"

namespace {

TEST(WinVersion, SixtyFourBitWineInBothBitnesses) {
  // The tests run on Wine's default Windows 7 in a 64-bit prefix.
  EXPECT_TRUE(IsNT5OrLater());
  EXPECT_FALSE(IsNT4());
  EXPECT_FALSE(IsWin9x());
  EXPECT_TRUE(Is64BitWindows());
}

TEST(WinVersion, FirstAnswerStandsForTheRun) {
  const bool first = Is64BitWindows();
  ASSERT_TRUE(SetEnvironmentVariableW(L"PROCESSOR_ARCHITECTURE", L"IA64"));
  ASSERT_TRUE(SetEnvironmentVariableW(L"PROCESSOR_ARCHITEW6432", nullptr));
  EXPECT_EQ(first, Is64BitWindows());
}

TEST(AutoCloser, ClosesARealHandle) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(nullptr, event);
  {
    auto closer = MakeAutoCloser<HANDLE>(nullptr, &CloseHandle);
    closer->handle = event;
  }
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(event, &flags));
}

// Closing functions of the platform's types that only count their calls, so that a
// closer that closed a failed acquisition would show.
int gCloseCalls = 0;
BOOL WINAPI CountFreeLibrary(HMODULE) {
  ++gCloseCalls;
  return TRUE;
}
BOOL WINAPI CountCloseHandle(HANDLE) {
  ++gCloseCalls;
  return TRUE;
}
VOID WINAPI CountCloseInf(HANDLE) { ++gCloseCalls; }
void CountFree(void*) { ++gCloseCalls; }

TEST(AutoCloser, FailedAcquisitionsCloseNothing) {
  gCloseCalls = 0;
  {
    ModuleCloser library(nullptr, &CountFreeLibrary);
    library.handle = LoadLibraryW(L"no-such-library-here.dll");
    EXPECT_EQ(nullptr, library.handle);
  }
  {
    HandleCloser file(INVALID_HANDLE_VALUE, &CountCloseHandle);
    file.handle = CreateFileW(L"C:\\no\\such\\dir\\file.txt", GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, file.handle);
  }
  {
    HandleCloserVoid inf(INVALID_HANDLE_VALUE, &CountCloseInf);
    HandleCloserVoid context(nullptr, &CountCloseInf);
    BufferCloser buffer(nullptr, &CountFree);
  }
  EXPECT_EQ(0, gCloseCalls);
  {
    ModuleCloser library(nullptr, &CountFreeLibrary);
    library.handle = GetModuleHandleW(nullptr);  // stored: closed once
  }
  EXPECT_EQ(1, gCloseCalls);
}

TEST(AutoCloser, DeletesTheTemporaryFileOnEveryWayOut) {
  wchar_t dir[MAX_PATH], name[MAX_PATH];
  ASSERT_NE(0u, GetTempPathW(MAX_PATH, dir));
  ASSERT_NE(0u, GetTempFileNameW(dir, L"TW", 0, name));
  auto failingOperation = [&] {
    auto deleter = MakeAutoCloser<const wchar_t*>(nullptr, &DeleteFileW);
    deleter->handle = name;
    HandleCloser file(INVALID_HANDLE_VALUE, &CloseHandle);
    file.handle = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file.handle == INVALID_HANDLE_VALUE) {
      return false;
    }
    return false;  // writing or starting the program failed
  };
  EXPECT_FALSE(failingOperation());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(name));
}

TEST(InstallerState, StartsEmpty) {
  InstallerState state;
  EXPECT_TRUE(state.printerName.IsEmpty());
  EXPECT_EQ(0, state.queueList.GetCount());
  EXPECT_FALSE(state.serverAnswered);
  EXPECT_EQ(0, state.radioServerSearch);
  EXPECT_EQ(nullptr, state.discoveryThread);
  ASSERT_NE(nullptr, state.threadServers);
  EXPECT_TRUE(state.threadServers->empty());
  EXPECT_TRUE(state.pageHistory.empty());
  state.pageHistory.push_back(6);
  EXPECT_EQ(6, state.PopPage());
  EXPECT_EQ(kNoPreviousPage, state.PopPage());
}

}  // namespace
