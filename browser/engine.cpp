#include "browser/engine.h"

#include <atomic>

namespace browser {

namespace {
std::atomic<Engine*> current{nullptr};
}

Engine* CurrentEngine() { return current.load(); }
void SetCurrentEngine(Engine* engine) { current.store(engine); }

}  // namespace browser
