#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace wrenly::testing {

// One request as it arrived: through a proxy the target is the gateway's full URL, so a test
// sees exactly what would have gone out to the provider.
struct RecordedRequest {
  std::string RequestLine;  // "GET http://host/path?query HTTP/1.1"
  std::string Method;
  std::string Target;
  std::vector<std::pair<std::string, std::string>> Headers;

  // The value of the first header of that name (letter case ignored), if any.
  std::optional<std::string> Header(std::string_view Name) const;
};

// How the gateway answers one request.
struct GatewayReply {
  int Status = 200;
  std::string Body;
  std::vector<std::pair<std::string, std::string>> Headers;  // extra ones, e.g. Location
  std::chrono::milliseconds Delay{0};                        // wait this long before answering
  bool NeverAnswer = false;  // keep the connection open and say nothing
  bool KnownLength = true;   // send Content-Length; otherwise the end of the body is the close
  bool Endless = false;      // after Body, keep sending more until the client goes away
};

// An HTTP server on 127.0.0.1 (port chosen by the system) with a thread of its own, serving one
// connection at a time and closing each after its reply. Tests reach it through http_proxy.
class LoopbackGateway {
 public:
  LoopbackGateway();
  ~LoopbackGateway();
  LoopbackGateway(const LoopbackGateway&) = delete;
  LoopbackGateway& operator=(const LoopbackGateway&) = delete;

  int Port() const { return port_; }
  std::string Url() const;  // "http://127.0.0.1:<port>"

  // The answer to every request from now on, unless a queued one comes first.
  void SetReply(GatewayReply Reply);
  // An answer for the next request only; queued answers are used in order.
  void QueueReply(GatewayReply Reply);

  std::vector<RecordedRequest> Requests() const;
  // Waits until at least Count requests have arrived; false on time-out.
  bool WaitForRequests(std::size_t Count, std::chrono::milliseconds Timeout) const;

 private:
  void Serve();
  void Handle(int Client);
  GatewayReply NextReply();
  bool WaitReadable(int Fd, int TimeoutMs) const;  // false when stopping or timed out
  bool SendAll(int Fd, std::string_view Bytes) const;

  int listener_ = -1;
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  int port_ = 0;
  mutable std::mutex mutex_;
  mutable std::condition_variable arrived_;
  GatewayReply reply_;
  std::deque<GatewayReply> queued_;
  std::vector<RecordedRequest> requests_;
  std::thread thread_;
};

// Points http_proxy at Url for the life of the object and clears what could bypass or replace
// it (no_proxy, HTTP_PROXY, all_proxy), restoring everything afterwards. An empty Url means no
// proxy at all.
class ScopedProxy {
 public:
  explicit ScopedProxy(const std::string& Url);
  ~ScopedProxy();
  ScopedProxy(const ScopedProxy&) = delete;
  ScopedProxy& operator=(const ScopedProxy&) = delete;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A local port on which nothing listens, for refused connections.
int UnusedPort();

}  // namespace wrenly::testing
