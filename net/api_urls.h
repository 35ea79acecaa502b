#pragma once
#include <string>

// The catalogue server's endpoints. The channel and MAC texts are plain ASCII by construction
// and go in as they are; the sign-in values come back from a web page and are escaped.
namespace net {

// Whether the program may take its catalogue from this base address ("scheme://host[:port]",
// no path): https, whose certificate the program checks, or plain http to this machine only
// (the demo and the tests). Over plain http to another machine, anyone on the way could hand
// the elevated program installers to run, with their digests in the same reply.
bool CatalogueBaseAllowed(const std::string& base);

std::string CommonFilesUrl(const std::string& base, const std::string& channel);
std::string SignedCatalogueUrl(const std::string& base);
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
