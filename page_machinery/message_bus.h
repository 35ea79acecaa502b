#pragma once
#include <algorithm>
#include <string>
#include <vector>

// The bus from the pages to the main frame. A page sends a numbered message; the frame, its
// only listener, defers the action to its own window's queue, so a click handler never waits
// for the page switch or the repair that it asks for.
namespace app {

class HandleMessage {
 public:
  virtual void OnMessage(int id, const std::string& text) = 0;

 protected:
  ~HandleMessage() = default;
};

// Named after the role, not the Win32 function: inside this namespace the class hides it, so
// the Win32 call is written ::SendMessageW.
class SendMessageW {
 public:
  virtual void Send(int id, const std::string& text) = 0;

 protected:
  ~SendMessageW() = default;
};

template <class Listener>
class UIListenerRegister {
 public:
  virtual ~UIListenerRegister() = default;

  // A listener registered twice still hears each message once.
  void AddListener(Listener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
      listeners_.push_back(listener);
  }

 protected:
  const std::vector<Listener*>& listeners() const { return listeners_; }

 private:
  std::vector<Listener*> listeners_;
};

// Delivers synchronously, in registration order, on the sender's thread.
class UIAdapter : public SendMessageW, public UIListenerRegister<HandleMessage> {
 public:
  void Send(int id, const std::string& text) override {
    for (HandleMessage* listener : listeners())
      if (listener) listener->OnMessage(id, text);
  }
};

// The numbers on the bus.
enum BusMessage : int {
  kShowRuntimePage = 2125,
  kShowDirectXPage = 2126,
  kShowSystemDllPage = 2127,
  kShowFunctionsPage = 2128,
  kShowCplusPage = 2129,
  kShowNetPage = 2130,
  kShowGamePage = 2131,
  kMinimise = 2134,
  kQuit = 2135,
  kApiSetRepair = 2225,
  kError7bRepair = 2226,
  kError80240037Repair = 2227,
  kMsvcp140Repair = 2228,
  kVcruntime140Repair = 2229,
  kKernel32Repair = 2230,
};

}  // namespace app
