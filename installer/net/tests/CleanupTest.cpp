// The exit-time clean-up of the ICMP set-up ends only the Windows Sockets use that it
// started itself. Its own program: the clean-up runs once per process.
#include <gtest/gtest.h>

#include "PrintServerNet.h"
#include "TimeoutableSocket.h"

namespace {

bool SocketsWork() {
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  if (s == INVALID_SOCKET) return false;
  closesocket(s);
  return true;
}

TEST(NetworkExitCleanup, EndsOnlyTheStartUpItMade) {
  ASSERT_TRUE(AfxSocketInit());
  ASSERT_TRUE(InitIcmp());
  NetworkExitCleanup();
  NetworkExitCleanup();  // runs once
  // The class library's own start-up is still counted by Windows Sockets.
  EXPECT_TRUE(SocketsWork()) << WSAGetLastError();
  // After the clean-up nothing is set up again.
  EXPECT_FALSE(InitIcmp());
  PingResult result;
  EXPECT_FALSE(PingHost(u"127.0.0.1", result));
}

}  // namespace
