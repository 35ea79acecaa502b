#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Runs the thread's messages until `done` holds or `timeoutMs` passes; false on timeout.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD ms);

// A Unix path from the environment as this Windows program sees it: on drive Z:, with
// backslashes (Wine hands the Unix environment on as it is).
std::string UnixPathFromEnvironment(const char* variable);
