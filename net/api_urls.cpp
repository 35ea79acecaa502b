#include "net/api_urls.h"

namespace net {

namespace {

// The sign-in values come back from a web page, so they are escaped rather than trusted to be
// plain tokens.
std::string QueryValue(const std::string& text) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
                       c == '_' || c == '.' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kDigits[c >> 4];
      out += kDigits[c & 15];
    }
  }
  return out;
}

bool IsLoopbackHost(const std::string& host) {
  if (host == "localhost" || host == "[::1]") return true;
  if (host.rfind("127.", 0) != 0) return false;
  int dots = 0;
  for (char c : host) {
    if (c == '.') ++dots;
    else if (c < '0' || c > '9') return false;
  }
  return dots == 3;
}

}  // namespace

bool CatalogueBaseAllowed(const std::string& base) {
  const bool secure = base.rfind("https://", 0) == 0;
  if (!secure && base.rfind("http://", 0) != 0) return false;
  const std::string authority = base.substr(secure ? 8 : 7);
  if (authority.empty() || authority.size() > 255) return false;
  for (char c : authority) {
    const bool allowed = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                         c == '-' || c == '.' || c == ':' || c == '[' || c == ']';
    if (!allowed) return false;  // a path, a user part, spaces
  }
  if (secure) return authority[0] != ':';
  // The port is whatever follows the host: "[::1]:8080", "127.0.0.1:8080".
  const size_t portColon = authority[0] == '[' ? authority.find("]:") + 1 : authority.find(':');
  const std::string host = portColon == std::string::npos || portColon == 0 ? authority : authority.substr(0, portColon);
  const std::string port = host.size() == authority.size() ? std::string() : authority.substr(host.size() + 1);
  for (char c : port)
    if (c < '0' || c > '9') return false;
  return IsLoopbackHost(host);
}

std::string CommonFilesUrl(const std::string& base, const std::string& channel) {
  return base + "/api/dll/files/common?channelNum=" + channel;
}

std::string SignedCatalogueUrl(const std::string& base) { return base + "/api/dll/files/signed"; }

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
  return base + "/api/dll/user/getOpenId?channelNum=" + channel + "&mac=" + mac + "&code=" + QueryValue(code) +
         "&commodityType=" + QueryValue(commodityType) + "&loginCode=" + QueryValue(loginCode);
}

}  // namespace net
