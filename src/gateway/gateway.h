#pragma once

#include <string>
#include <string_view>

// The wire side of sending: each provider's request URL, and one HTTP GET of it whose reply is
// returned as it came. All text is 8-bit Windows-1252. Requests never raise: a failure of any
// kind gives an empty reply.
namespace wrenly {

inline constexpr std::string_view kUserAgent = "HARWICKDALE-Wrenly";
inline constexpr std::string_view kClickatellHost = "api.clickatell.com";
inline constexpr std::string_view kKapowHost = "www.kapow.co.uk";

// Letters, digits and ! $ ' ( ) * - . @ _ stay; a blank becomes "+"; every other byte becomes
// "%" and two upper-case hex digits. Stops at the first zero byte.
std::string EncodeQueryValue(std::string_view Value);

// The request URLs. Only the message is encoded; account values and the number go in as they
// are, so an "&" in a password splits the query exactly as the gateways expect of this program.
std::string ClickatellUrl(const std::string& UserName, const std::string& Password,
                          const std::string& ApiId, const std::string& ToNumber,
                          const std::string& Text);
std::string KapowUrl(const std::string& UserName, const std::string& Password,
                     const std::string& Mobile, const std::string& Text);

// Perform the request and return at most the first 1024 bytes of the response body.
std::string ClickatellRequest(const std::string& UserName, const std::string& Password,
                              const std::string& ApiId, const std::string& ToNumber,
                              const std::string& Text);
std::string KapowRequest(const std::string& UserName, const std::string& Password,
                         const std::string& Mobile, const std::string& Text);

}  // namespace wrenly
