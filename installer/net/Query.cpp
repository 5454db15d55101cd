#include "Query.h"

#include <algorithm>
#include <cstring>

Answer ReceiveAnswer(ServerConnection& connection, QueryPlatform& platform) {
  Answer answer;
  const uint32_t start = platform.TickCount();
  char buffer[kReceiveBufferBytes];
  for (;;) {
    std::memset(buffer, 0, sizeof buffer);
    int received = connection.Receive(buffer, kReceiveBufferBytes - 1);
    if (received < 1) break;
    size_t room = kMaxAnswerBytes - answer.bytes.size();
    if (size_t(received) > room) {
      answer.bytes.append(buffer, room);
      answer.tooLong = true;
      break;
    }
    answer.bytes.append(buffer, size_t(received));
    if (TickDifference(start, platform.TickCount()) >= kAnswerDeadlineMs) break;
  }
  return answer;
}

std::u16string AnswerText(const Answer& answer, QueryPlatform& platform) {
  if (answer.tooLong) return std::u16string();
  size_t zero = answer.bytes.find('\0');
  return platform.DecodeAnsi(zero == std::string::npos ? answer.bytes : answer.bytes.substr(0, zero));
}

size_t FindAnswerBody(const std::u16string& text) {
  size_t at = text.find(u"\r\n\r\n");
  return at == 0 ? std::u16string::npos : at;
}

bool IsUsableQueueName(const std::u16string& name) {
  return std::none_of(name.begin(), name.end(), [](char16_t c) {
    return c == u'\\' || c == u'/' || c < 0x20 || (c >= 0x7F && c <= 0x9F);
  });
}

namespace {

// Sends one request and returns the body of its answer (the empty text when the
// answer has none).
std::u16string Ask(ServerConnection& connection, QueryPlatform& platform, const char* request,
                   int length, bool* hasBody) {
  connection.Send(request, length);
  std::u16string text = AnswerText(ReceiveAnswer(connection, platform), platform);
  size_t body = FindAnswerBody(text);
  *hasBody = body != std::u16string::npos;
  return *hasBody ? text.substr(body) : std::u16string();
}

}  // namespace

bool QueryPrintServerOn(QueryPlatform& platform, const std::u16string& name, PrintServer& record) {
  platform.Resolve(name, record);
  record.displayName = record.hostName;
  record.queueNames = {u"Hold", u"Normal"};

  bool hasBody = false;
  {
    std::unique_ptr<ServerConnection> connection =
        platform.Connect(record.ipAddress, kPrintServerHttpPort);
    if (!connection) return false;
    std::u16string body =
        Ask(*connection, platform, kQueueListRequest, kQueueListRequestLength, &hasBody);
    if (hasBody) AddQueueNames(body, record);
  }
  {
    std::unique_ptr<ServerConnection> connection =
        platform.Connect(record.ipAddress, kPrintServerHttpPort);
    if (!connection) return true;
    std::u16string body =
        Ask(*connection, platform, kServerDetailsRequest, kServerDetailsRequestLength, &hasBody);
    std::u16string ripName;
    if (hasBody && FindRipName(body, &ripName)) record.displayName = ripName;
  }
  return true;
}
