#pragma once

namespace net {

// libcurl's global state is set up once per process, before the first transfer on any
// thread; it is left for process exit to release.
bool EnsureCurlGlobalInit();

}  // namespace net
