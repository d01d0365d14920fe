#include "gateway/gateway.h"

#include "platform/internet.h"

#include <functional>

namespace wrenly {

namespace {

bool PassesUnchanged(unsigned char byte) {
  static constexpr std::string_view kPunctuation = "!$'()*-.@_";
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
         (byte >= '0' && byte <= '9') ||
         kPunctuation.find(static_cast<char>(byte)) != std::string_view::npos;
}

std::string HttpUrl(std::string_view Host, std::string_view PathAndQuery) {
  std::string url = "http://";
  url += Host;
  url += PathAndQuery;
  return url;
}

// One GET, one read of at most kMaxReplyBytes. The session is opened before the URL is built,
// and the handles close request first, then session, on every way out.
std::string Perform(const std::function<std::string()>& BuildUrl) {
  InternetPtr internet = InternetOpen(std::string(kUserAgent));
  std::string url = BuildUrl();
  RequestPtr request = InternetOpenUrl(internet.get(), url);
  std::string reply(kMaxReplyBytes, '\0');
  reply.resize(InternetReadFile(request.get(), reply.data(), kMaxReplyBytes));
  return reply;
}

}  // namespace

std::string EncodeQueryValue(std::string_view Value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(Value.size() * 3);
  for (char c : Value) {
    auto byte = static_cast<unsigned char>(c);
    if (byte == 0) {
      break;
    }
    if (PassesUnchanged(byte)) {
      out += c;
    } else if (byte == ' ') {
      out += '+';
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  return out;
}

std::string ClickatellUrl(const std::string& UserName, const std::string& Password,
                          const std::string& ApiId, const std::string& ToNumber,
                          const std::string& Text) {
  return HttpUrl(kClickatellHost, "/http/sendmsg?user=" + UserName + "&password=" + Password +
                                      "&api_id=" + ApiId + "&to=" + ToNumber +
                                      "&text=" + EncodeQueryValue(Text));
}

std::string KapowUrl(const std::string& UserName, const std::string& Password,
                     const std::string& Mobile, const std::string& Text) {
  return HttpUrl(kKapowHost, "/scripts/sendsms.php?username=" + UserName + "&password=" + Password +
                                 "&mobile=" + Mobile + "&sms=" + EncodeQueryValue(Text));
}

std::string ClickatellRequest(const std::string& UserName, const std::string& Password,
                              const std::string& ApiId, const std::string& ToNumber,
                              const std::string& Text) {
  return Perform([&] { return ClickatellUrl(UserName, Password, ApiId, ToNumber, Text); });
}

std::string KapowRequest(const std::string& UserName, const std::string& Password,
                         const std::string& Mobile, const std::string& Text) {
  return Perform([&] { return KapowUrl(UserName, Password, Mobile, Text); });
}

}  // namespace wrenly
