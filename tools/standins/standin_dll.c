/* Stand-in for a DirectX or system DLL of the demo catalogue: a real, loadable DLL of the
 * right bitness that carries its own file name, so every file has its own digest. */
#include <windows.h>

#include "standin_config.h"

__declspec(dllexport) const char* StandInName(void) { return STANDIN_NAME; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance; (void)reason; (void)reserved;
  return TRUE;
}
