#pragma once
#include <curl/curl.h>

#include <functional>

namespace net {

// The time bounds of one transfer. Every transfer of the program has all three, so none waits
// for ever on a server that stops sending or sends a byte a second.
struct TransferBounds {
  long connectSeconds;
  long stallSeconds;  // given up after this long below one byte a second
  long totalSeconds;  // the whole transfer, connection included
};

// Asked about once a second while a transfer runs (also while nothing arrives); true ends it
// at once: its page or the program is going, or the user stopped it. Empty: never.
using StopQuestion = std::function<bool()>;

// Sets the bounds on the handle; returns the first option that could not be set.
CURLcode ApplyBounds(CURL* curl, const TransferBounds& bounds);

}  // namespace net
