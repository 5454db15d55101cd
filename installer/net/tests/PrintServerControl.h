// The test print server's control connection (printserver.py, port 2290 on loopback):
// one JSON command per line, one line back. For Windows test programs that run
// beside the server inside netns-run.sh's network namespace; AfxSocketInit or
// WSAStartup must have run.
#pragma once

#include <winsock2.h>

#include <string>
#include <vector>

class PrintServerControl {
public:
  PrintServerControl() {
    s_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons(2290);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    DWORD timeoutMs = 10000;
    setsockopt(s_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
    connected_ = connect(s_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  }
  ~PrintServerControl() { closesocket(s_); }
  PrintServerControl(const PrintServerControl&) = delete;
  PrintServerControl& operator=(const PrintServerControl&) = delete;

  bool connected() const { return connected_; }
  std::string Command(const std::string& json) {
    // One command per line: the line breaks of a command written over several lines
    // are blanks to JSON.
    std::string line = json;
    for (char& c : line)
      if (c == '\n') c = ' ';
    line += '\n';
    send(s_, line.data(), int(line.size()), 0);
    std::string answer;
    char c;
    while (answer.size() < (1u << 22) && recv(s_, &c, 1, 0) == 1 && c != '\n') answer += c;
    return answer;
  }
  // The logged items (probes, or the requests to one host) as bytes.
  std::vector<std::string> Items(const std::string& json) {
    std::string answer = Command(json);
    std::vector<std::string> items;
    size_t at = answer.find(' ');
    while (at != std::string::npos) {
      size_t end = answer.find(' ', at + 1);
      std::string hex = answer.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
      std::string bytes;
      for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
      items.push_back(bytes);
      at = end;
    }
    return items;
  }
  std::vector<std::string> Requests(const std::string& host) {
    return Items("{\"cmd\":\"requests\",\"host\":\"" + host + "\"}");
  }

private:
  SOCKET s_;
  bool connected_ = false;
};
