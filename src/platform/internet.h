#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// The internet client: one synchronous HTTP GET at a time on the caller's thread, in four
// operations (open a session, open a URL, read its body once, close). Failures never raise:
// an open that fails gives a null handle, a read that fails gives zero bytes, and every
// operation accepts a null handle. The proxy comes from the standard environment
// (http_proxy, https_proxy, no_proxy). Nothing here logs, because URLs carry passwords.
namespace wrenly {

// The most body bytes a request keeps, and so the most one read can return. What the server
// sends beyond it is not waited for.
inline constexpr std::size_t kMaxReplyBytes = 1024;

struct InternetTimeouts {
  std::chrono::milliseconds Connect{20'000};  // to reach the server (or the proxy)
  std::chrono::milliseconds Total{60'000};    // the whole exchange, redirects included
};

// Initialises the HTTP library. Call once at start-up, before any thread exists.
void InitInternet();

// The time-outs of sessions opened from now on. The program keeps the defaults; tests shorten them.
void SetInternetTimeouts(InternetTimeouts Timeouts);
InternetTimeouts GetInternetTimeouts();

class InternetHandle;
class RequestHandle;
struct InternetHandleCloser {
  void operator()(InternetHandle* Handle) const;
};
struct RequestHandleCloser {
  void operator()(RequestHandle* Handle) const;
};
// Closing a handle is destroying it; a null handle closes as nothing.
using InternetPtr = std::unique_ptr<InternetHandle, InternetHandleCloser>;
using RequestPtr = std::unique_ptr<RequestHandle, RequestHandleCloser>;

// A session sending Agent as its user agent, or null.
InternetPtr InternetOpen(const std::string& Agent);

// Sends one GET of Url and waits for the response; null when there is no session or no response
// arrived (no connection, unknown host, refused, timed out, unusable proxy). Redirects to http
// and https are followed. The HTTP status is not judged: an error page is a response like any.
RequestPtr InternetOpenUrl(InternetHandle* Internet, const std::string& Url);

// Copies up to Size bytes of the response body into Buffer and returns how many; 0 for a null
// handle or a response whose body could not be received.
std::size_t InternetReadFile(RequestHandle* Request, char* Buffer, std::size_t Size);

// Url with every byte that a URL cannot carry as it is written as "%" and two upper-case hex
// digits: bytes below 0x21, 0x7F and above, and " # < > \ ^ ` { | }. Everything else, "%" "&"
// "=" included, stays, so a blank or "#" in an unencoded value still reaches the server
// inside the query.
std::string EscapeUrlForTransport(std::string_view Url);

}  // namespace wrenly
