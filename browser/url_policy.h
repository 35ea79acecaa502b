#pragma once
#include <string>

// Which addresses the embedded browser may show. The program runs elevated and the address
// of the sign-in page comes from the server, so anything that is not a web page stays shut.
namespace browser {

// "http://" or "https://" (any letter case) followed by a host, with no spaces or control
// characters anywhere.
bool IsWebAddress(const std::string& url);
// Where a frame of a shown page may go: a web page, or the empty page that an engine shows
// before it has loaded anything.
bool IsNavigationAllowed(const std::string& url);

}  // namespace browser
