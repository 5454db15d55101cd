// The class library's blocking sockets, CTimeoutableSocket, the connect probe and the
// ICMP echo, against peers inside this process on 127.0.0.1.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

#include "PrintServerNet.h"
#include "TimeoutableSocket.h"

namespace {

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

// A TCP socket bound to 127.0.0.1 at a port the system picks; *port is that port.
SOCKET BindLoopback(UINT* port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = {};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  int n = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
  *port = ntohs(a.sin_port);
  return s;
}

// A TCP peer on 127.0.0.1 at a port the system picks: accepts one connection, sends
// `answer` (byte by byte with short pauses when trickling), and closes after `holdMs`
// (or when the test ends).
class Peer {
public:
  Peer(std::string answer, DWORD holdMs, bool trickle = false)
      : answer_(std::move(answer)), holdMs_(holdMs), trickle_(trickle) {
    listener_ = BindLoopback(&port_);
    listen(listener_, 4);
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this] {
      SOCKET c = accept(listener_, nullptr, nullptr);
      if (c == INVALID_SOCKET) return;
      if (trickle_) {
        for (size_t i = 0; i < answer_.size(); ++i) {
          send(c, &answer_[i], 1, 0);
          Sleep(DWORD(i % 3));
        }
      } else if (!answer_.empty()) {
        send(c, answer_.data(), int(answer_.size()), 0);
      }
      WaitForSingleObject(stop_, holdMs_);
      closesocket(c);
    });
  }
  ~Peer() {
    SetEvent(stop_);
    closesocket(listener_);
    thread_.join();
    CloseHandle(stop_);
  }
  UINT port() const { return port_; }

private:
  std::string answer_;
  DWORD holdMs_;
  bool trickle_;
  SOCKET listener_;
  UINT port_ = 0;
  HANDLE stop_;
  std::thread thread_;
};

class SocketTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(AfxSocketInit()); }
  static bool Open(CTimeoutableSocket& s, UINT port, UINT wakeMs, UINT receiveMs) {
    s.m_nTimeOut = wakeMs;
    s.m_nReceiveTimeOut = receiveMs;
    return s.Create() && s.Connect(L"127.0.0.1", port);
  }
};

TEST_F(SocketTest, SilentPeerEndsTheReceiveAfterItsTimeOut) {
  Peer peer("", 20000);
  CTimeoutableSocket s;
  ASSERT_TRUE(Open(s, peer.port(), 3000, 3000));
  char buffer[64];
  double start = Seconds();
  EXPECT_EQ(s.Receive(buffer, sizeof buffer), SOCKET_ERROR);
  double took = Seconds() - start;
  EXPECT_EQ(WSAGetLastError(), WSAETIMEDOUT);
  EXPECT_GE(took, 2.5);
  EXPECT_LE(took, 8.5);  // two wake-ups at most, with room for a loaded machine
}

TEST_F(SocketTest, ClosedConnectionGivesTheRestAndThenZero) {
  Peer peer("answer", 0);
  CTimeoutableSocket s;
  ASSERT_TRUE(Open(s, peer.port(), 3000, 3000));
  std::string got;
  char buffer[64];
  int n;
  double start = Seconds();
  while ((n = s.Receive(buffer, sizeof buffer)) > 0) got.append(buffer, size_t(n));
  EXPECT_EQ(n, 0);
  EXPECT_EQ(got, "answer");
  EXPECT_LT(Seconds() - start, 2.0);
}

// Every byte wakes the blocked receive, however the notifications and the looks at
// the message queue interleave.
TEST_F(SocketTest, TricklingPeerArrivesWhole) {
  const std::string answer(600, 'x');
  Peer peer(answer, 0, true);
  CTimeoutableSocket s;
  ASSERT_TRUE(Open(s, peer.port(), 3000, 3000));
  size_t got = 0;
  char buffer[4096];
  int n;
  double worst = 0;
  for (;;) {
    double start = Seconds();
    n = s.Receive(buffer, sizeof buffer);
    worst = std::max(worst, Seconds() - start);
    if (n <= 0) break;
    got += size_t(n);
  }
  EXPECT_EQ(n, 0) << WSAGetLastError();
  EXPECT_EQ(got, answer.size());
  EXPECT_LT(worst, 2.0);  // well below the 3 s wake-up that a missed byte would wait for
}

// During a blocked receive the thread dispatches paint messages only; a receive
// started from the paint handler on the same socket fails at once.
struct PaintProbe {
  CTimeoutableSocket* socket = nullptr;
  int paints = 0;
  int nestedResult = 12345;
  int nestedError = 0;
  int keys = 0;
};
PaintProbe g_probe;

LRESULT CALLBACK ProbeWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(w, &ps);
    EndPaint(w, &ps);
    if (g_probe.paints++ == 0 && g_probe.socket) {
      char b[8];
      g_probe.nestedResult = g_probe.socket->Receive(b, sizeof b);
      g_probe.nestedError = WSAGetLastError();
    }
    return 0;
  }
  if (m == WM_KEYDOWN) {
    ++g_probe.keys;
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

TEST_F(SocketTest, BlockedReceiveDispatchesOnlyPaintAndRefusesANestedCall) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ProbeWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QvNetPaintProbe";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                100, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  g_probe = PaintProbe();

  Peer peer("", 20000);
  CTimeoutableSocket s;
  ASSERT_TRUE(Open(s, peer.port(), 500, 1000));
  g_probe.socket = &s;
  InvalidateRect(window, nullptr, TRUE);
  PostMessageW(window, WM_KEYDOWN, 'A', 0);
  char buffer[8];
  EXPECT_EQ(s.Receive(buffer, sizeof buffer), SOCKET_ERROR);
  g_probe.socket = nullptr;

  EXPECT_GE(g_probe.paints, 1);
  EXPECT_EQ(g_probe.nestedResult, SOCKET_ERROR);
  EXPECT_EQ(g_probe.nestedError, WSAEINPROGRESS);
  EXPECT_EQ(g_probe.keys, 0);  // input waits for the program's own loop
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(g_probe.keys, 1);
  DestroyWindow(window);
}

TEST_F(SocketTest, ConnectProbe) {
  Peer peer("", 0);
  EXPECT_TRUE(CanConnect("127.0.0.1", int(peer.port())));
  // A port nobody listens on: taken from a socket that is closed again.
  UINT closedPort = 0;
  closesocket(BindLoopback(&closedPort));
  double start = Seconds();
  EXPECT_FALSE(CanConnect("127.0.0.1", int(closedPort)));
  EXPECT_LT(Seconds() - start, 3.0);
}

// The installer's discovery runs on a thread made with CreateThread. Once such a thread
// has used sockets and ended, the process must go on and exit normally; the helper
// program next to this one does exactly that.
TEST_F(SocketTest, ProcessGoesOnAfterASocketThreadEnds) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  ASSERT_TRUE(n > 0 && n < MAX_PATH);
  std::wstring helper(path, n);
  helper = helper.substr(0, helper.find_last_of(L"\\/") + 1) + L"twknet_socket_thread_helper.exe";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::wstring commandLine = L"\"" + helper + L"\"";
  ASSERT_TRUE(CreateProcessW(helper.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process))
      << GetLastError();
  DWORD waited = WaitForSingleObject(process.hProcess, 30000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
  EXPECT_EQ(waited, WAIT_OBJECT_0) << "the helper hung";
  DWORD code = 99;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

TEST_F(SocketTest, PingOfLoopbackSucceeds) {
  PingResult result = {0, 12345};
  ASSERT_TRUE(PingHost(u"127.0.0.1", result)) << GetLastError();
  EXPECT_EQ(result.address, htonl(INADDR_LOOPBACK));
  EXPECT_LT(result.roundTripMs, 3000u);
  EXPECT_TRUE(InitIcmp());
}

}  // namespace
