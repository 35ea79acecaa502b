#pragma once
#include <windows.h>

#include <functional>

// Runs the thread's messages until `done` holds or `timeoutMs` passes; false on timeout.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD ms);
