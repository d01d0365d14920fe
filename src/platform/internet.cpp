#include "platform/internet.h"

#include <curl/curl.h>

#include <algorithm>
#include <mutex>

namespace wrenly {

namespace {

InternetTimeouts currentTimeouts;

// libcurl can only refuse an option it does not know; with the version we require every option
// set here is known, so the results are deliberately not checked one by one.
template <typename T>
void SetOption(CURL* curl, CURLoption option, T value) {
  static_cast<void>(curl_easy_setopt(curl, option, value));
}

}  // namespace

class InternetHandle {
 public:
  explicit InternetHandle(CURL* curl) : curl_(curl) {}
  ~InternetHandle() { curl_easy_cleanup(curl_); }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;

  CURL* Curl() const { return curl_; }

 private:
  CURL* curl_;
};

class RequestHandle {
 public:
  // The body as far as it was received, at most kMaxReplyBytes.
  std::string Body;
  // False when the response started but its body failed to arrive; reads then give nothing.
  bool BodyComplete = true;
  // Set when the body reached kMaxReplyBytes and the transfer was cut off on purpose.
  bool Truncated = false;
};

void InternetHandleCloser::operator()(InternetHandle* Handle) const {
  delete Handle;
}
void RequestHandleCloser::operator()(RequestHandle* Handle) const {
  delete Handle;
}

void InitInternet() {
  static std::once_flag once;
  std::call_once(once, [] { static_cast<void>(curl_global_init(CURL_GLOBAL_DEFAULT)); });
}

void SetInternetTimeouts(InternetTimeouts Timeouts) {
  currentTimeouts = Timeouts;
}

InternetTimeouts GetInternetTimeouts() {
  return currentTimeouts;
}

InternetPtr InternetOpen(const std::string& Agent) {
  CURL* curl = curl_easy_init();
  if (curl == nullptr) {
    return nullptr;
  }
  InternetPtr internet(new InternetHandle(curl));
  SetOption(curl, CURLOPT_USERAGENT, Agent.c_str());
  // The caller is the user-interface thread: no signals may interrupt it.
  SetOption(curl, CURLOPT_NOSIGNAL, 1L);
  SetOption(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  SetOption(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  SetOption(curl, CURLOPT_FOLLOWLOCATION, 1L);
  SetOption(curl, CURLOPT_MAXREDIRS, 10L);
  SetOption(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(currentTimeouts.Connect.count()));
  SetOption(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(currentTimeouts.Total.count()));
  return internet;
}

namespace {

// Keeps what fits into the reply and then stops the transfer: a body of unknown length is not
// capped by any size option, and the rest of it must not be waited for.
std::size_t CollectBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* request = static_cast<RequestHandle*>(user);
  std::size_t bytes = size * count;
  std::size_t room = kMaxReplyBytes - request->Body.size();
  request->Body.append(data, std::min(bytes, room));
  if (bytes > room) {
    request->Truncated = true;
    return 0;  // makes libcurl end the transfer with CURLE_WRITE_ERROR
  }
  return bytes;
}

}  // namespace

RequestPtr InternetOpenUrl(InternetHandle* Internet, const std::string& Url) {
  if (Internet == nullptr) {
    return nullptr;
  }
  CURL* curl = Internet->Curl();
  RequestPtr request(new RequestHandle);
  std::string url = EscapeUrlForTransport(Url);
  SetOption(curl, CURLOPT_URL, url.c_str());
  SetOption(curl, CURLOPT_HTTPGET, 1L);
  SetOption(curl, CURLOPT_WRITEFUNCTION, &CollectBody);
  SetOption(curl, CURLOPT_WRITEDATA, static_cast<void*>(request.get()));
  CURLcode result = curl_easy_perform(curl);
  // The URL carries the password; do not leave it in the session.
  SetOption(curl, CURLOPT_URL, static_cast<const char*>(nullptr));
  SetOption(curl, CURLOPT_WRITEDATA, static_cast<void*>(nullptr));
  if (result == CURLE_OK || (result == CURLE_WRITE_ERROR && request->Truncated)) {
    return request;
  }
  long status = 0;
  static_cast<void>(curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status));
  if (status == 0) {
    return nullptr;  // no response at all
  }
  // The response began but its body broke off: the request opened, its read fails.
  request->Body.clear();
  request->BodyComplete = false;
  return request;
}

std::size_t InternetReadFile(RequestHandle* Request, char* Buffer, std::size_t Size) {
  if (Request == nullptr || !Request->BodyComplete || Buffer == nullptr) {
    return 0;
  }
  std::size_t count = std::min(Size, Request->Body.size());
  std::copy_n(Request->Body.data(), count, Buffer);
  return count;
}

std::string EscapeUrlForTransport(std::string_view Url) {
  static constexpr std::string_view kUnsafe = "\"#<>\\^`{|}";
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(Url.size());
  for (char c : Url) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x21 || byte >= 0x7F || kUnsafe.find(c) != std::string_view::npos) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace wrenly
