// The print-server queries over HTTP/1.0, free of any Windows call: the requests, the
// collecting of an answer, the finding of its body and the reading of the queue list
// and the server's own name from the XML.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "PrintServer.h"

// Sent without terminating zero.
constexpr char kQueueListRequest[] = "GET /getqueuelist.php HTTP/1.0\r\n\r\n";
constexpr char kServerDetailsRequest[] = "GET /getripdetails.php HTTP/1.0\r\n\r\n";
constexpr int kQueueListRequestLength = 34;
constexpr int kServerDetailsRequestLength = 35;
static_assert(sizeof kQueueListRequest - 1 == kQueueListRequestLength, "request length");
static_assert(sizeof kServerDetailsRequest - 1 == kServerDetailsRequestLength, "request length");
constexpr uint16_t kPrintServerHttpPort = 80;

// Limits of one answer: a server that sends without end, or trickles, can neither
// exhaust memory nor hold the caller for long.
constexpr size_t kMaxAnswerBytes = size_t(1) << 20;
// Overall time for one request's answer; a receive that is waiting when it passes
// still ends by its own time-out (at most about 6 s later).
constexpr uint32_t kAnswerDeadlineMs = 10000;
constexpr int kReceiveBufferBytes = 4096;

// Milliseconds from tick count `from` to tick count `to`, also across the wrap of the
// 32-bit counter.
inline uint32_t TickDifference(uint32_t from, uint32_t to) { return to - from; }

// One TCP connection to a print server.
class ServerConnection {
public:
  virtual ~ServerConnection() = default;
  virtual void Send(const char* data, int length) = 0;
  // Bytes received (> 0), or < 1 when the answer ended (closed, error, time-out).
  virtual int Receive(char* buffer, int length) = 0;
};

// What a query needs from the platform.
class QueryPlatform {
public:
  virtual ~QueryPlatform() = default;
  // Host name and IPv4 address of the record (both the name itself when unresolved).
  virtual void Resolve(const std::u16string& name, PrintServer& record) = 0;
  // nullptr when the socket cannot be made or the connection fails.
  virtual std::unique_ptr<ServerConnection> Connect(const std::u16string& address,
                                                    uint16_t port) = 0;
  virtual uint32_t TickCount() = 0;
  // Text of 8-bit bytes in the ANSI code page.
  virtual std::u16string DecodeAnsi(const std::string& bytes) = 0;
};

struct Answer {
  std::string bytes;      // as received, at most kMaxAnswerBytes
  bool tooLong = false;   // the server sent more than kMaxAnswerBytes
};

// Receives until the connection ends, the answer grows past kMaxAnswerBytes or
// kAnswerDeadlineMs has passed since the first receive began.
Answer ReceiveAnswer(ServerConnection& connection, QueryPlatform& platform);

// The answer's text: the bytes up to the first zero byte, decoded once. An answer that
// was too long gives the empty text (it adds nothing).
std::u16string AnswerText(const Answer& answer, QueryPlatform& platform);

// Index of the "\r\n\r\n" that ends the headers, when it stands after the first
// character; std::u16string::npos otherwise.
size_t FindAnswerBody(const std::u16string& text);

// A queue name can become part of a port path: one with a backslash, a slash or a
// control character is not taken.
bool IsUsableQueueName(const std::u16string& name);

// Appends the names of a queue-list body (`queues` / `queue` / `name`) to the
// record's queue names, each name once.
void AddQueueNames(const std::u16string& body, PrintServer& record);

// The server's own name from a server-details body (`rip` / `communication` /
// `ripname`); false when the body holds none.
bool FindRipName(const std::u16string& body, std::u16string* name);

// The whole query of one host. True when the queue-list connection was made.
bool QueryPrintServerOn(QueryPlatform& platform, const std::u16string& name, PrintServer& record);
