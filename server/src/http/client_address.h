#pragma once
#include <httplib.h>

#include <string>

namespace catalogue {

// The address a request came from. Behind a reverse proxy every connection comes from the
// proxy, so the client's address is read from the header the proxy sets (`trusted_header`,
// e.g. "X-Forwarded-For" as the deployment's nginx sets it to $remote_addr) - but only on a
// connection from a loopback address, where the proxy runs, and only when it holds one plain
// address; a client talking to the server directly cannot choose its own address that way.
std::string client_address(const httplib::Request& req, const std::string& trusted_header);

}  // namespace catalogue
