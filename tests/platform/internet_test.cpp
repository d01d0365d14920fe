#include "platform/internet.h"

#include <gtest/gtest.h>

#include <chrono>

#include "loopback_gateway.h"

namespace wrenly {
namespace {

using namespace std::chrono_literals;
using testing::GatewayReply;
using testing::LoopbackGateway;
using testing::ScopedProxy;

// What one GET of Url gives through the four operations.
std::string Get(const std::string& Url) {
  InternetPtr internet = InternetOpen("test-agent");
  RequestPtr request = InternetOpenUrl(internet.get(), Url);
  std::string reply(kMaxReplyBytes, '\0');
  reply.resize(InternetReadFile(request.get(), reply.data(), reply.size()));
  return reply;
}

class ShortTimeouts {
 public:
  ShortTimeouts() { SetInternetTimeouts({.Connect = 2s, .Total = 1500ms}); }
  ~ShortTimeouts() { SetInternetTimeouts(saved_); }

 private:
  InternetTimeouts saved_ = GetInternetTimeouts();
};

TEST(TransportEscape, EscapesExactlyTheBytesAUrlCannotHold) {
  for (int byte = 1; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    const bool escaped = byte < 0x21 || byte >= 0x7F ||
                         std::string_view("\"#<>\\^`{|}").find(c) != std::string_view::npos;
    char expected[4];
    std::snprintf(expected, sizeof expected, "%%%02X", byte);
    EXPECT_EQ(EscapeUrlForTransport(std::string(1, c)),
              escaped ? std::string(expected) : std::string(1, c))
        << "byte " << byte;
  }
  EXPECT_EQ(EscapeUrlForTransport("http://h/p?a=1&b=x y#z%41"), "http://h/p?a=1&b=x%20y%23z%41");
}

TEST(Internet, NullHandlesFailQuietly) {
  EXPECT_EQ(InternetOpenUrl(nullptr, "http://example.invalid/"), nullptr);
  char buffer[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(InternetReadFile(nullptr, buffer, sizeof buffer), 0u);
  InternetPtr{};  // closing a null handle does nothing
}

class InternetExchange : public ::testing::Test {
 protected:
  LoopbackGateway gateway;
  ScopedProxy proxy{gateway.Url()};
};

TEST_F(InternetExchange, SendsOneGetWithTheAgentAndTheEscapedUrl) {
  gateway.SetReply({.Body = "ID: 42"});
  EXPECT_EQ(Get("http://gw.example/send?pw=a b#c&x=1"), "ID: 42");
  auto requests = gateway.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Method, "GET");
  EXPECT_EQ(requests[0].Target, "http://gw.example/send?pw=a%20b%23c&x=1");
  EXPECT_EQ(requests[0].Header("User-Agent"), "test-agent");
}

struct ReplyCase {
  const char* Name;
  GatewayReply Reply;
  std::string Expected;
};

void PrintTo(const ReplyCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class InternetReplies : public InternetExchange, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(InternetReplies, ReturnsTheFirstBytesOfTheBody) {
  gateway.SetReply(GetParam().Reply);
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(Get("http://gw.example/"), GetParam().Expected);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
}

const std::string kLongBody = [] {
  std::string body;
  for (int i = 0; body.size() < 3000; ++i) {
    body += std::to_string(i) + ",";
  }
  return body.substr(0, 3000);
}();

INSTANTIATE_TEST_SUITE_P(
    Bodies, InternetReplies,
    ::testing::Values(
        ReplyCase{"Short", {.Body = "OK"}, "OK"}, ReplyCase{"Empty", {.Body = ""}, ""},
        ReplyCase{"ErrorPage",
                  {.Status = 500, .Body = "ERR: 001, Authentication failed"},
                  "ERR: 001, Authentication failed"},
        ReplyCase{"LongWithLength", {.Body = kLongBody}, kLongBody.substr(0, 1024)},
        ReplyCase{
            "LongUntilClose", {.Body = kLongBody, .KnownLength = false}, kLongBody.substr(0, 1024)},
        ReplyCase{"EndlessIsNotWaitedFor", {.Body = "", .Endless = true}, std::string(1024, 'x')},
        ReplyCase{"Exactly1024", {.Body = std::string(1024, 'y')}, std::string(1024, 'y')},
        ReplyCase{"BinaryBytesKept",
                  {.Body = std::string("a\0\r\n\xE9", 5)},
                  std::string("a\0\r\n\xE9", 5)}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(InternetExchange, FollowsHttpRedirects) {
  gateway.QueueReply({.Status = 302, .Headers = {{"Location", "http://other.example/final"}}});
  gateway.SetReply({.Body = "landed"});
  EXPECT_EQ(Get("http://gw.example/start"), "landed");
  auto requests = gateway.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].Target, "http://other.example/final");
}

TEST_F(InternetExchange, RefusesRedirectsToOtherProtocols) {
  gateway.SetReply(
      {.Status = 302, .Body = "moved", .Headers = {{"Location", "file:///etc/passwd"}}});
  EXPECT_EQ(Get("http://gw.example/start"), "");
}

TEST_F(InternetExchange, ServerThatNeverAnswersGivesEmptyReplyWithinTheTimeout) {
  ShortTimeouts timeouts;
  gateway.SetReply({.NeverAnswer = true});
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(Get("http://gw.example/"), "");
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

TEST_F(InternetExchange, BodyCutShortGivesEmptyReply) {
  // The headers promise 3000 bytes; 10 arrive before the connection closes. A reply that may be
  // incomplete is not shown as if it were the gateway's answer.
  gateway.SetReply(
      {.Body = "0123456789", .Headers = {{"Content-Length", "3000"}}, .KnownLength = false});
  EXPECT_EQ(Get("http://gw.example/"), "");
}

TEST(InternetFailure, RefusedConnectionGivesEmptyReply) {
  ScopedProxy noProxy("");
  EXPECT_EQ(Get("http://127.0.0.1:" + std::to_string(testing::UnusedPort()) + "/"), "");
}

TEST(InternetFailure, UnreachableProxyGivesEmptyReply) {
  ScopedProxy deadProxy("http://127.0.0.1:" + std::to_string(testing::UnusedPort()));
  EXPECT_EQ(Get("http://api.clickatell.com/"), "");
}

TEST(InternetFailure, OtherProtocolsAreNotOpened) {
  ScopedProxy noProxy("");
  EXPECT_EQ(Get("file:///etc/hostname"), "");
}

}  // namespace
}  // namespace wrenly
