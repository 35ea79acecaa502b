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

// Plays the user of the program's prompt. The prompt runs its own modal loop inside the
// message that brought it to this thread, so the user is played from a timer, which that loop
// dispatches: once the prompt is on screen, its OK button is pressed. Arm() starts over.
struct PromptUser {
  static bool seen;
  static void Arm();
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
};
