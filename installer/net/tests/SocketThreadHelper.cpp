// Helper program of SocketTest: starts the class library's socket support on threads
// made with CreateThread (one only starts it, as a discovery thread does that finds
// nothing; one also makes a socket), lets them end, then allocates and exits. Exit
// code 0 when all of it went through; a process that hangs shows as the test's
// time-out.
#include <cstdlib>

#include "TimeoutableSocket.h"

namespace {

DWORD WINAPI StartOnly(LPVOID) { return AfxSocketInit() ? 0 : 1; }

DWORD WINAPI StartAndMakeASocket(LPVOID) {
  if (!AfxSocketInit()) return 1;
  CTimeoutableSocket s;
  return s.Create() ? 0 : 2;
}

int RunThread(LPTHREAD_START_ROUTINE routine) {
  HANDLE thread = CreateThread(nullptr, 0, routine, nullptr, 0, nullptr);
  if (!thread) return 4;
  if (WaitForSingleObject(thread, 20000) != WAIT_OBJECT_0) return 5;
  DWORD code = 6;
  GetExitCodeThread(thread, &code);
  CloseHandle(thread);
  return int(code);
}

}  // namespace

int main() {
  if (!AfxSocketInit()) return 3;
  if (int code = RunThread(&StartOnly)) return code;
  if (int code = RunThread(&StartAndMakeASocket)) return 10 + code;
  Sleep(300);  // the threads' own clean-up has run by now
  void* volatile block = std::malloc(100);
  std::free(block);
  return block ? 0 : 7;
}
