#pragma once

namespace catalogue {

// The demo catalogue compiled into the binary: every address points at this server's /files/,
// whose contents the stand-in build produces.
const char* demo_catalogue_json();

}  // namespace catalogue
