#include "loopback_gateway.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace wrenly::testing {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Trim(std::string_view text) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) {
    return {};
  }
  std::size_t end = text.find_last_not_of(" \t");
  return std::string(text.substr(begin, end - begin + 1));
}

RecordedRequest ParseHead(const std::string& head) {
  RecordedRequest request;
  std::size_t lineEnd = head.find("\r\n");
  request.RequestLine = head.substr(0, lineEnd);
  std::size_t space1 = request.RequestLine.find(' ');
  std::size_t space2 = request.RequestLine.rfind(' ');
  if (space1 != std::string::npos && space2 > space1) {
    request.Method = request.RequestLine.substr(0, space1);
    request.Target = request.RequestLine.substr(space1 + 1, space2 - space1 - 1);
  }
  std::size_t pos = lineEnd == std::string::npos ? head.size() : lineEnd + 2;
  while (pos < head.size()) {
    std::size_t end = head.find("\r\n", pos);
    if (end == std::string::npos) {
      end = head.size();
    }
    std::string_view line(head.data() + pos, end - pos);
    std::size_t colon = line.find(':');
    if (colon != std::string_view::npos) {
      request.Headers.emplace_back(std::string(line.substr(0, colon)),
                                   Trim(line.substr(colon + 1)));
    }
    pos = end + 2;
  }
  return request;
}

std::string ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 301:
      return "Moved Permanently";
    case 302:
      return "Found";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    default:
      return "Status";
  }
}

}  // namespace

std::optional<std::string> RecordedRequest::Header(std::string_view Name) const {
  for (const auto& [name, value] : Headers) {
    if (SameLetters(name, Name)) {
      return value;
    }
  }
  return std::nullopt;
}

LoopbackGateway::LoopbackGateway() {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  int pipeFds[2];
  if (listener_ < 0 ||
      bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      pipe2(pipeFds, O_CLOEXEC) != 0) {
    if (listener_ >= 0) {
      close(listener_);
    }
    throw std::runtime_error("loopback gateway: cannot listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
  wakeRead_ = pipeFds[0];
  wakeWrite_ = pipeFds[1];
  thread_ = std::thread([this] { Serve(); });
}

LoopbackGateway::~LoopbackGateway() {
  static_cast<void>(write(wakeWrite_, "x", 1));
  thread_.join();
  close(listener_);
  close(wakeRead_);
  close(wakeWrite_);
}

std::string LoopbackGateway::Url() const {
  return "http://127.0.0.1:" + std::to_string(port_);
}

void LoopbackGateway::SetReply(GatewayReply Reply) {
  std::lock_guard lock(mutex_);
  reply_ = std::move(Reply);
}

void LoopbackGateway::QueueReply(GatewayReply Reply) {
  std::lock_guard lock(mutex_);
  queued_.push_back(std::move(Reply));
}

std::vector<RecordedRequest> LoopbackGateway::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

bool LoopbackGateway::WaitForRequests(std::size_t Count, std::chrono::milliseconds Timeout) const {
  std::unique_lock lock(mutex_);
  return arrived_.wait_for(lock, Timeout, [&] { return requests_.size() >= Count; });
}

GatewayReply LoopbackGateway::NextReply() {
  std::lock_guard lock(mutex_);
  if (queued_.empty()) {
    return reply_;
  }
  GatewayReply reply = std::move(queued_.front());
  queued_.pop_front();
  return reply;
}

bool LoopbackGateway::WaitReadable(int Fd, int TimeoutMs) const {
  pollfd fds[2] = {{Fd, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
  int ready = poll(fds, 2, TimeoutMs);
  return ready > 0 && (fds[1].revents & POLLIN) == 0 && fds[0].revents != 0;
}

bool LoopbackGateway::SendAll(int Fd, std::string_view Bytes) const {
  while (!Bytes.empty()) {
    pollfd fds[2] = {{Fd, POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
    if (poll(fds, 2, -1) <= 0 || (fds[1].revents & POLLIN) != 0) {
      return false;
    }
    ssize_t sent = send(Fd, Bytes.data(), Bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) {
      return false;
    }
    Bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

void LoopbackGateway::Serve() {
  while (WaitReadable(listener_, -1)) {
    int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client >= 0) {
      Handle(client);
      close(client);
    }
  }
}

void LoopbackGateway::Handle(int Client) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos) {
    if (!WaitReadable(Client, -1)) {
      return;
    }
    ssize_t got = recv(Client, buffer, sizeof buffer, 0);
    if (got <= 0) {
      return;
    }
    head.append(buffer, static_cast<std::size_t>(got));
  }
  head.resize(head.find("\r\n\r\n"));
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(ParseHead(head));
  }
  arrived_.notify_all();

  GatewayReply reply = NextReply();
  if (reply.NeverAnswer) {
    // Hold the connection until the client gives up (it closes: readable with no data).
    while (WaitReadable(Client, -1) && recv(Client, buffer, sizeof buffer, 0) > 0) {
    }
    return;
  }
  if (reply.Delay.count() > 0) {
    pollfd wake{wakeRead_, POLLIN, 0};
    if (poll(&wake, 1, static_cast<int>(reply.Delay.count())) != 0) {
      return;
    }
  }
  std::string response =
      "HTTP/1.1 " + std::to_string(reply.Status) + " " + ReasonPhrase(reply.Status) + "\r\n";
  response += "Content-Type: text/plain\r\nConnection: close\r\n";
  if (reply.KnownLength && !reply.Endless) {
    response += "Content-Length: " + std::to_string(reply.Body.size()) + "\r\n";
  }
  for (const auto& [name, value] : reply.Headers) {
    response += name + ": " + value + "\r\n";
  }
  response += "\r\n" + reply.Body;
  if (!SendAll(Client, response)) {
    return;
  }
  const std::string more(4096, 'x');
  while (reply.Endless && SendAll(Client, more)) {
  }
}

ScopedProxy::ScopedProxy(const std::string& Url) {
  for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy",
                           "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
    const char* value = std::getenv(name);
    saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    unsetenv(name);
  }
  if (!Url.empty()) {
    setenv("http_proxy", Url.c_str(), 1);
  }
}

ScopedProxy::~ScopedProxy() {
  unsetenv("http_proxy");
  for (const auto& [name, value] : saved_) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    }
  }
}

int UnusedPort() {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);  // bound but never listening: the port refuses, and is not handed out again at once
  return ntohs(address.sin_port);
}

}  // namespace wrenly::testing
