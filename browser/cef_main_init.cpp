#include "browser/cef_main_init.h"

namespace browser {

// No browser engine is linked yet, so there are no sub-processes to run and nothing to shut
// down: the set-up succeeds at once.
std::unique_ptr<CefMainInit> CefMainInit::Create(HINSTANCE, bool& succeeded) {
  succeeded = true;
  return std::unique_ptr<CefMainInit>(new CefMainInit());
}

CefMainInit::~CefMainInit() = default;

}  // namespace browser
