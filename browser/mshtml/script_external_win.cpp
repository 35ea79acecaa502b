#include "browser/mshtml/script_external_win.h"

#include <string>

#include "ui/win/wide_text.h"

namespace browser {

namespace {

struct Method {
  const wchar_t* name;
  DISPID id;
  UINT arguments;
};

constexpr Method kMethods[] = {
    {L"BeginMessage", ScriptExternal::kBeginMessage, 1},
    {L"AddArgument", ScriptExternal::kAddArgument, 1},
    {L"SendMessage", ScriptExternal::kSendMessage, 0},
};

const Method* FindMethod(DISPID id) {
  for (const Method& method : kMethods)
    if (method.id == id) return &method;
  return nullptr;
}

// The argument's text as the script engine converts it; false when it has none.
bool ArgumentText(VARIANT& argument, std::string& text) {
  VARIANT converted;
  ::VariantInit(&converted);
  if (FAILED(::VariantChangeType(&converted, &argument, 0, VT_BSTR))) return false;
  const BSTR value = converted.bstrVal;
  text = DuiLib::WideToUtf8(std::wstring_view(value ? value : L"", value ? ::SysStringLen(value) : 0));
  ::VariantClear(&converted);
  return true;
}

}  // namespace

HRESULT ScriptExternal::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  // Only the method's own name; parameter names are not supported.
  for (const Method& method : kMethods) {
    if (names[0] && _wcsicmp(names[0], method.name) == 0) {
      ids[0] = method.id;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT ScriptExternal::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO*, UINT* argError) {
  const Method* method = FindMethod(id);
  if (method == nullptr) return DISP_E_MEMBERNOTFOUND;
  if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  if (params == nullptr || params->cArgs != method->arguments) return DISP_E_BADPARAMCOUNT;
  if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  if (result) ::VariantInit(result);
  std::string text;
  if (method->arguments == 1 && !ArgumentText(params->rgvarg[0], text)) {
    if (argError) *argError = 0;
    return DISP_E_TYPEMISMATCH;
  }
  switch (id) {
    case kBeginMessage:
      collector_.Begin(text);
      break;
    case kAddArgument:
      collector_.Add(text);
      break;
    case kSendMessage:
      if (std::optional<ScriptMessage> message = collector_.Finish()) {
        // Held for the call: the listener may close the browser, which detaches this object.
        Deliver deliver = deliver_;
        if (deliver) deliver(*message);
      }
      break;
  }
  return S_OK;
}

}  // namespace browser
