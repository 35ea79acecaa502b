#pragma once

// Releasing COM pointers that the program asks Windows for. Written against the interface's
// own Release, so it needs no Windows header here.
namespace platform {

// Releases the reference, if any, and forgets the pointer, so that a second call is harmless.
template <class T>
void ReleaseAndClear(T*& pointer) {
  if (pointer) pointer->Release();
  pointer = nullptr;
}

// A COM pointer released at the end of its scope. `out()` is for the calls that hand back
// a new reference through a void**.
template <class T>
struct ComHeld {
  T* p = nullptr;

  ComHeld() = default;
  ~ComHeld() { ReleaseAndClear(p); }
  ComHeld(const ComHeld&) = delete;
  ComHeld& operator=(const ComHeld&) = delete;

  void** out() { return reinterpret_cast<void**>(&p); }
};

}  // namespace platform
