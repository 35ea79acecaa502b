#pragma once
#include <windows.h>
#include <oaidl.h>

namespace browser {

// An IDispatch object of ours without type information: reference counted from 1, deleted at
// its last release, and answering QueryInterface for IUnknown, IDispatch and the one
// dispinterface it stands for. Script engines and event sources need nothing more.
class PlainDispatch : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;

 protected:
  explicit PlainDispatch(REFIID dispinterface = IID_IDispatch) : dispinterface_(dispinterface) {}
  virtual ~PlainDispatch() = default;

 private:
  LONG references_ = 1;
  IID dispinterface_;
};

}  // namespace browser
