#pragma once
#include <optional>
#include <string>
#include <vector>

namespace browser {

// One call of a page's script function, as the page made it: the function's name and each
// argument's string value in call order (UTF-8). The list is as long as the call was.
struct ScriptMessage {
  std::string name;
  std::vector<std::string> arguments;
};

// The global functions that every document of every frame gets. Fixed before the program
// starts; the sign-in page reports through the one it holds.
const std::vector<std::string>& ScriptFunctionNames();
bool IsScriptFunction(const std::string& name);

// The page is untrusted: a call with more arguments, or a longer argument, than any page of
// ours makes is dropped whole rather than cut.
constexpr size_t kMaxScriptArguments = 16;
constexpr size_t kMaxScriptArgumentBytes = 4096;

// Puts one call together from the pieces an engine hands over one by one (begin, each
// argument, send). Anything out of order or out of bounds spoils the call, and a spoiled call
// sends nothing.
class ScriptCallCollector {
 public:
  void Begin(const std::string& name);
  void Add(const std::string& argument);
  // The finished call, or nothing when none was begun or it was spoiled. Either way the
  // collector is empty afterwards.
  std::optional<ScriptMessage> Finish();

 private:
  enum class State { kIdle, kCollecting, kSpoiled };
  State state_ = State::kIdle;
  ScriptMessage message_;
};

}  // namespace browser
