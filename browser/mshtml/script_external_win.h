#pragma once
#include <windows.h>

#include <functional>

#include "browser/mshtml/plain_dispatch_win.h"
#include "browser/script_message.h"

namespace browser {

// The object a page reaches as window.external. The installed script functions hand each call
// over in three steps, BeginMessage(name), AddArgument(text) once per argument and
// SendMessage(), because a script cannot pass a variable number of arguments on to a host
// method; this keeps the call's real argument count and order. Everything else is refused.
class ScriptExternal final : public PlainDispatch {
 public:
  using Deliver = std::function<void(const ScriptMessage&)>;

  static constexpr DISPID kBeginMessage = 1;
  static constexpr DISPID kAddArgument = 2;
  static constexpr DISPID kSendMessage = 3;

  explicit ScriptExternal(Deliver deliver) : deliver_(std::move(deliver)) {}
  // The browser is closing: calls that still come deliver nothing.
  void Detach() { deliver_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT* argError) override;

 private:
  Deliver deliver_;
  ScriptCallCollector collector_;
};

}  // namespace browser
