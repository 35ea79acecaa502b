#include "ui/win/skin_resource.h"

#include "ui/win/ui_lock.h"

namespace DuiLib {

namespace {
size_t gLoadCount = 0;
}

SkinPackage& ProcessSkin() {
  static SkinPackage package;
  return package;
}

bool LoadSkinFromResource(HMODULE module, const wchar_t* resourceName) {
  UiGuard guard;
  if (ProcessSkin().IsOpen()) return true;
  HRSRC info = ::FindResourceW(module, resourceName, L"ZIPRES");
  if (info == nullptr) return false;
  const DWORD size = ::SizeofResource(module, info);
  HGLOBAL handle = ::LoadResource(module, info);
  // LockResource only returns a pointer into the mapped image; nothing to unlock or free.
  const void* bytes = handle ? ::LockResource(handle) : nullptr;
  if (bytes == nullptr || size == 0) return false;
  ++gLoadCount;
  return ProcessSkin().OpenOnce(bytes, size) == ZipStatus::kOk;
}

size_t SkinResourceLoadCount() { return gLoadCount; }

}  // namespace DuiLib
