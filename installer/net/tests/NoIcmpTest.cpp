// The ping when ICMP.DLL cannot be loaded (the test runs with the DLL disabled):
// every call fails, and the clean-up still ends only its own start-up.
#include <gtest/gtest.h>

#include "PrintServerNet.h"
#include "TimeoutableSocket.h"

namespace {

TEST(PingWithoutIcmp, FailsOnEveryCall) {
  ASSERT_TRUE(AfxSocketInit());
  ASSERT_EQ(LoadLibraryW(L"ICMP.DLL"), nullptr) << "the test expects ICMP.DLL disabled";
  PingResult result = {1, 2};
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(InitIcmp());
    EXPECT_FALSE(PingHost(u"127.0.0.1", result));
  }
  EXPECT_EQ(result.address, 1u);  // written on success only
  EXPECT_EQ(result.roundTripMs, 2u);
  NetworkExitCleanup();
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  EXPECT_NE(s, INVALID_SOCKET) << WSAGetLastError();
  closesocket(s);
}

}  // namespace
