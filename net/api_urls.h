#pragma once
#include <string>

// The catalogue server's endpoints. The channel and MAC texts are plain ASCII by construction
// and go in as they are; the sign-in values come back from a web page and are escaped.
namespace net {

std::string CommonFilesUrl(const std::string& base, const std::string& channel);
std::string RuntimeFilesUrl(const std::string& base);
std::string DirectXFilesUrl(const std::string& base);
std::string SystemFilesUrl(const std::string& base);
std::string UserInfoUrl(const std::string& base);
std::string TokenHeader(const std::string& token);  // "token:" and the token, no space
std::string SignInCodeUrl(const std::string& base, const std::string& channel, const std::string& mac);
std::string SignInResultUrl(const std::string& base, const std::string& channel, const std::string& mac,
                            const std::string& code, const std::string& commodityType,
                            const std::string& loginCode);

}  // namespace net
