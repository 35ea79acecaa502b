#include "browser/mshtml/browser_events_win.h"

#include <exdisp.h>
#include <exdispid.h>

namespace browser {

namespace {

// Event arguments arrive last to first; `index` counts from the first.
VARIANT* Argument(DISPPARAMS* params, UINT index) {
  if (params == nullptr || index >= params->cArgs) return nullptr;
  return &params->rgvarg[params->cArgs - 1 - index];
}

// The value a by-reference VARIANT argument points at, or the argument itself.
VARIANT* Referenced(VARIANT* argument) {
  if (argument && argument->vt == (VT_BYREF | VT_VARIANT)) return argument->pvarVal;
  return argument;
}

std::wstring TextOf(VARIANT* argument) {
  argument = Referenced(argument);
  if (argument && argument->vt == VT_BSTR && argument->bstrVal) return argument->bstrVal;
  return std::wstring();
}

void Cancel(VARIANT* argument) {
  if (argument && argument->vt == (VT_BYREF | VT_BOOL) && argument->pboolVal) *argument->pboolVal = VARIANT_TRUE;
}

}  // namespace

BrowserEventSink::BrowserEventSink(BrowserEventHandler* handler)
    : PlainDispatch(DIID_DWebBrowserEvents2), handler_(handler) {}

HRESULT BrowserEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT BrowserEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
  if (handler_ == nullptr) return S_OK;
  switch (id) {
    case DISPID_BEFORENAVIGATE2:  // (frame, url, flags, target, post data, headers, cancel)
      if (!handler_->AllowNavigation(TextOf(Argument(params, 1)))) Cancel(Argument(params, 6));
      break;
    case DISPID_NEWWINDOW2:  // (new browser, cancel)
      Cancel(Argument(params, 1));
      break;
    case DISPID_NEWWINDOW3:  // (new browser, cancel, flags, context url, url)
      Cancel(Argument(params, 1));
      break;
    case DISPID_NAVIGATEERROR: {  // (frame, url, target, status, cancel)
      VARIANT* status = Referenced(Argument(params, 3));
      if (status && (status->vt == VT_I4 || status->vt == VT_INT)) handler_->OnNavigateError(status->lVal);
      break;
    }
    case DISPID_DOCUMENTCOMPLETE: {  // (frame, url)
      VARIANT* frame = Argument(params, 0);
      if (frame && frame->vt == VT_DISPATCH) handler_->OnDocumentComplete(frame->pdispVal);
      break;
    }
    default:
      break;
  }
  return S_OK;
}

}  // namespace browser
