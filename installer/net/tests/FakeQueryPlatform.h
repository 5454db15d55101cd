// A scripted print server for the query rules: each connection the query opens takes
// the next script; the clock moves only when a script says so.
#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "Query.h"

struct ConnectionScript {
  bool refused = false;
  std::vector<std::string> chunks;  // handed out one per Receive, then the end
  bool endless = false;             // after the chunks, repeat the last one forever
  uint32_t msPerReceive = 0;        // the clock moves this much at every Receive
  // Filled while the query runs:
  std::string sent;
  int receives = 0;
  int largestAsk = 0;
};

class FakeQueryPlatform : public QueryPlatform {
public:
  std::deque<std::shared_ptr<ConnectionScript>> scripts;
  std::vector<std::shared_ptr<ConnectionScript>> used;
  std::vector<std::u16string> connectAddresses;
  std::vector<uint16_t> connectPorts;
  uint32_t now = 1000;
  std::u16string resolvedHost = u"printhost";  // empty: the name does not resolve
  std::u16string resolvedAddress = u"10.1.2.3";
  int decodes = 0;

  std::shared_ptr<ConnectionScript> Add(std::vector<std::string> chunks) {
    auto s = std::make_shared<ConnectionScript>();
    s->chunks = std::move(chunks);
    scripts.push_back(s);
    return s;
  }
  std::shared_ptr<ConnectionScript> AddRefused() {
    auto s = std::make_shared<ConnectionScript>();
    s->refused = true;
    scripts.push_back(s);
    return s;
  }

  void Resolve(const std::u16string& name, PrintServer& record) override {
    record.hostName = resolvedHost.empty() ? name : resolvedHost;
    record.ipAddress = resolvedHost.empty() ? name : resolvedAddress;
  }
  std::unique_ptr<ServerConnection> Connect(const std::u16string& address,
                                            uint16_t port) override;
  uint32_t TickCount() override { return now; }
  // Latin-1: every byte becomes the code unit of the same value.
  std::u16string DecodeAnsi(const std::string& bytes) override {
    ++decodes;
    std::u16string out;
    for (unsigned char b : bytes) out += char16_t(b);
    return out;
  }
};

class FakeConnection : public ServerConnection {
public:
  FakeConnection(FakeQueryPlatform& platform, std::shared_ptr<ConnectionScript> script)
      : platform_(platform), script_(std::move(script)) {}
  void Send(const char* data, int length) override { script_->sent.append(data, size_t(length)); }
  int Receive(char* buffer, int length) override {
    ++script_->receives;
    if (length > script_->largestAsk) script_->largestAsk = length;
    platform_.now += script_->msPerReceive;
    if (next_ >= script_->chunks.size()) {
      if (!script_->endless || script_->chunks.empty()) return 0;
      next_ = script_->chunks.size() - 1;
    }
    // A chunk longer than the receive asks for is handed out over several receives.
    const std::string& chunk = script_->chunks[next_];
    size_t n = std::min(chunk.size() - offset_, size_t(length));
    std::memcpy(buffer, chunk.data() + offset_, n);
    offset_ += n;
    if (offset_ >= chunk.size()) {
      ++next_;
      offset_ = 0;
    }
    return int(n);
  }

private:
  FakeQueryPlatform& platform_;
  std::shared_ptr<ConnectionScript> script_;
  size_t next_ = 0;
  size_t offset_ = 0;
};

inline std::unique_ptr<ServerConnection> FakeQueryPlatform::Connect(const std::u16string& address,
                                                                   uint16_t port) {
  connectAddresses.push_back(address);
  connectPorts.push_back(port);
  if (scripts.empty()) return nullptr;
  auto script = scripts.front();
  scripts.pop_front();
  used.push_back(script);
  if (script->refused) return nullptr;
  return std::make_unique<FakeConnection>(*this, script);
}

inline std::string HttpAnswer(const std::string& body, const char* status = "200 OK") {
  return std::string("HTTP/1.0 ") + status + "\r\nContent-Type: text/xml\r\n\r\n" + body;
}
