#pragma once

#include <windows.h>

#include <cstddef>

#include "ui/skin_package.h"

namespace DuiLib {

// The process-wide skin package. It is opened once, by the first window, and its buffer
// lives until the process ends: controls keep pictures decoded from it.
SkinPackage& ProcessSkin();

// Finds the resource (type "ZIPRES") in `module`, copies it and opens it as the process
// skin. Does nothing and reports true when the package is open already.
bool LoadSkinFromResource(HMODULE module, const wchar_t* resourceName);

// How many times a resource was actually copied into the package: 1 however many windows.
size_t SkinResourceLoadCount();

}  // namespace DuiLib
