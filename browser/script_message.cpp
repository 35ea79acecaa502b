#include "browser/script_message.h"

#include <algorithm>
#include <utility>

namespace browser {

const std::vector<std::string>& ScriptFunctionNames() {
  static const std::vector<std::string> names = {"wxCallback"};
  return names;
}

bool IsScriptFunction(const std::string& name) {
  const std::vector<std::string>& names = ScriptFunctionNames();
  return std::find(names.begin(), names.end(), name) != names.end();
}

void ScriptCallCollector::Begin(const std::string& name) {
  message_ = ScriptMessage();
  if (!IsScriptFunction(name)) {
    state_ = State::kSpoiled;
    return;
  }
  message_.name = name;
  state_ = State::kCollecting;
}

void ScriptCallCollector::Add(const std::string& argument) {
  if (state_ != State::kCollecting) {
    state_ = State::kSpoiled;
    return;
  }
  if (message_.arguments.size() >= kMaxScriptArguments || argument.size() > kMaxScriptArgumentBytes) {
    state_ = State::kSpoiled;
    return;
  }
  message_.arguments.push_back(argument);
}

std::optional<ScriptMessage> ScriptCallCollector::Finish() {
  const bool complete = state_ == State::kCollecting;
  state_ = State::kIdle;
  ScriptMessage message = std::move(message_);
  message_ = ScriptMessage();
  if (!complete) return std::nullopt;
  return message;
}

}  // namespace browser
