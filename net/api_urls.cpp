#include "net/api_urls.h"

namespace net {

std::string CommonFilesUrl(const std::string& base, const std::string& channel) {
  return base + "/api/dll/files/common?channelNum=" + channel;
}

std::string RuntimeFilesUrl(const std::string& base) { return base + "/api/dll/files/runtime"; }
std::string DirectXFilesUrl(const std::string& base) { return base + "/api/dll/files/dx"; }
std::string SystemFilesUrl(const std::string& base) { return base + "/api/dll/files/system"; }
std::string UserInfoUrl(const std::string& base) { return base + "/api/dll/user/getUserInfoByToken"; }
std::string TokenHeader(const std::string& token) { return "token:" + token; }

std::string SignInCodeUrl(const std::string& base, const std::string& channel, const std::string& mac) {
  return base + "/api/dll/user/wechat/login?commodityType=1&isCef=true&channelNum=" + channel + "&mac=" + mac;
}

std::string SignInResultUrl(const std::string& base, const std::string& channel, const std::string& mac,
                            const std::string& code, const std::string& commodityType,
                            const std::string& loginCode) {
  return base + "/api/dll/user/getOpenId?channelNum=" + channel + "&mac=" + mac + "&code=" + code +
         "&commodityType=" + commodityType + "&loginCode=" + loginCode;
}

}  // namespace net
