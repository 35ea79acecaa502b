#pragma once
#include <string>

// The catalogue server's endpoints. Query values are appended as they are: the channel and MAC
// texts are plain ASCII by construction, and the sign-in values come back from our own page.
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
