#include "gateway/gateway.h"

#include <gtest/gtest.h>

#include "loopback_gateway.h"

namespace wrenly {
namespace {

using testing::LoopbackGateway;
using testing::ScopedProxy;

TEST(EncodeQueryValue, FollowsTheThreeRulesForEveryByte) {
  const std::string_view kKept = "!$'()*-.@_";
  for (int byte = 1; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    std::string expected;
    if (std::isalnum(byte) || kKept.find(c) != std::string_view::npos) {
      expected = std::string(1, c);
    } else if (byte == ' ') {
      expected = "+";
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", byte);
      expected = hex;
    }
    EXPECT_EQ(EncodeQueryValue(std::string(1, c)), expected) << "byte " << byte;
  }
}

TEST(EncodeQueryValue, Examples) {
  EXPECT_EQ(EncodeQueryValue(""), "");
  EXPECT_EQ(EncodeQueryValue("Hi there"), "Hi+there");
  EXPECT_EQ(EncodeQueryValue("\r\n"), "%0D%0A");
  EXPECT_EQ(EncodeQueryValue("+"), "%2B");
  EXPECT_EQ(EncodeQueryValue("&"), "%26");
  EXPECT_EQ(EncodeQueryValue("~"), "%7E");
  EXPECT_EQ(EncodeQueryValue("50% off?"), "50%25+off%3F");
  EXPECT_EQ(EncodeQueryValue("\xE9"), "%E9");
  EXPECT_EQ(EncodeQueryValue("AZaz09!$'()*-.@_"), "AZaz09!$'()*-.@_");
}

TEST(EncodeQueryValue, StopsAtTheFirstZeroByte) {
  EXPECT_EQ(EncodeQueryValue(std::string("ab\0c d", 6)), "ab");
  EXPECT_EQ(EncodeQueryValue(std::string("\0x", 2)), "");
}

TEST(GatewayUrl, FillsTheTemplatesEncodingOnlyTheMessage) {
  EXPECT_EQ(ClickatellUrl("me", "p&w=1", "3456", "+44 77", "Hi there & bye"),
            "http://api.clickatell.com/http/sendmsg?user=me&password=p&w=1&api_id=3456"
            "&to=+44 77&text=Hi+there+%26+bye");
  EXPECT_EQ(KapowUrl("me", "pw", "0711", "50% off?"),
            "http://www.kapow.co.uk/scripts/sendsms.php?username=me&password=pw&mobile=0711"
            "&sms=50%25+off%3F");
  EXPECT_EQ(KapowUrl("", "", "", ""),
            "http://www.kapow.co.uk/scripts/sendsms.php?username=&password=&mobile=&sms=");
}

class GatewayRequest : public ::testing::Test {
 protected:
  LoopbackGateway gateway;
  ScopedProxy proxy{gateway.Url()};

  const testing::RecordedRequest& OnlyRequest() {
    requests = gateway.Requests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.at(0);
  }

 private:
  std::vector<testing::RecordedRequest> requests;
};

TEST_F(GatewayRequest, ClickatellGoesOutAsOneGetOfTheExactUrl) {
  gateway.SetReply({.Body = "ID: 5a3c"});
  EXPECT_EQ(ClickatellRequest("user & co", "pa ss#1", "3456", "+44 7700", "Hi & caf\xE9"),
            "ID: 5a3c");
  const auto& request = OnlyRequest();
  EXPECT_EQ(request.RequestLine,
            "GET http://api.clickatell.com/http/sendmsg?user=user%20&%20co&password=pa%20ss%231"
            "&api_id=3456&to=+44%207700&text=Hi+%26+caf%E9 HTTP/1.1");
  EXPECT_EQ(request.Header("User-Agent"), "HARWICKDALE-Wrenly");
}

TEST_F(GatewayRequest, KapowGoesOutAsOneGetOfTheExactUrl) {
  gateway.SetReply({.Body = "OK 1"});
  EXPECT_EQ(KapowRequest("kuser", "kpw", "07700900123", "Line one\r\nLine two"), "OK 1");
  const auto& request = OnlyRequest();
  EXPECT_EQ(request.Method, "GET");
  EXPECT_EQ(request.Target,
            "http://www.kapow.co.uk/scripts/sendsms.php?username=kuser&password=kpw"
            "&mobile=07700900123&sms=Line+one%0D%0ALine+two");
  EXPECT_EQ(request.Header("User-Agent"), "HARWICKDALE-Wrenly");
}

TEST_F(GatewayRequest, ReplyIsCutTo1024Bytes) {
  gateway.SetReply({.Body = std::string(3000, 'r')});
  EXPECT_EQ(KapowRequest("u", "p", "1", "m"), std::string(1024, 'r'));
}

TEST(GatewayFailure, UnreachableGatewayGivesEmptyReply) {
  ScopedProxy deadProxy("http://127.0.0.1:" + std::to_string(testing::UnusedPort()));
  EXPECT_EQ(ClickatellRequest("u", "p", "1", "2", "m"), "");
  EXPECT_EQ(KapowRequest("u", "p", "2", "m"), "");
}

}  // namespace
}  // namespace wrenly
