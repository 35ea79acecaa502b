#include "browser/mshtml/script_install_win.h"

#include <exdisp.h>
#include <mshtml.h>

#include <string>

#include "browser/bridge_script.h"
#include "platform/com_release.h"
#include "ui/win/wide_text.h"

namespace browser {

namespace {

using platform::ComHeld;

// The page's own eval, for document modes whose window no longer offers execScript.
bool EvalInWindow(IHTMLWindow2* window, BSTR script) {
  OLECHAR evalName[] = L"eval";
  LPOLESTR names[] = {evalName};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(window->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
  VARIANT argument;
  argument.vt = VT_BSTR;
  argument.bstrVal = script;
  DISPPARAMS params{&argument, nullptr, 1, 0};
  VARIANT result;
  ::VariantInit(&result);
  const HRESULT hr =
      window->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
  ::VariantClear(&result);
  return SUCCEEDED(hr);
}

}  // namespace

bool InstallScriptFunctions(IDispatch* frame) {
  if (frame == nullptr) return false;
  ComHeld<IWebBrowser2> browser;
  if (FAILED(frame->QueryInterface(IID_IWebBrowser2, browser.out()))) return false;
  ComHeld<IDispatch> documentDispatch;
  if (FAILED(browser.p->get_Document(&documentDispatch.p)) || documentDispatch.p == nullptr) return false;
  ComHeld<IHTMLDocument2> document;
  if (FAILED(documentDispatch.p->QueryInterface(IID_IHTMLDocument2, document.out()))) return false;
  ComHeld<IHTMLWindow2> window;
  if (FAILED(document.p->get_parentWindow(&window.p)) || window.p == nullptr) return false;

  const std::wstring text = DuiLib::Utf8ToWide(BridgeInstallScript());
  BSTR script = ::SysAllocString(text.c_str());
  BSTR language = ::SysAllocString(L"JavaScript");
  VARIANT result;
  ::VariantInit(&result);
  bool ran = SUCCEEDED(window.p->execScript(script, language, &result));
  ::VariantClear(&result);
  if (!ran) ran = EvalInWindow(window.p, script);
  ::SysFreeString(language);
  ::SysFreeString(script);
  return ran;
}

}  // namespace browser
