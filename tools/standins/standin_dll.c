/* Stand-in for a DirectX or system DLL of the demo catalogue: a real, loadable DLL of the
 * right bitness that carries its own file name, so every file has its own digest.
 * With STANDIN_CLSID it is also a COM server as the audio DLLs are: DllRegisterServer writes
 * the class key HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32 naming the DLL's own path, in the
 * registry view of the DLL's bitness, and DllUnregisterServer removes it. With
 * STANDIN_REGISTER_FAILS its DllRegisterServer writes nothing and fails, as one whose class
 * cannot be written does. */
#include <windows.h>
#include <olectl.h>

#include "standin_config.h"

static HINSTANCE module;

__declspec(dllexport) const char* StandInName(void) { return STANDIN_NAME; }

#ifdef STANDIN_CLSID
#define STANDIN_CLASS_KEY "CLSID\\" STANDIN_CLSID

__declspec(dllexport) HRESULT __stdcall DllRegisterServer(void) {
#ifdef STANDIN_REGISTER_FAILS
  return SELFREG_E_CLASS;
#else
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  HKEY key;
  LONG status;
  if (length == 0 || length >= MAX_PATH) return SELFREG_E_CLASS;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, STANDIN_CLASS_KEY "\\InprocServer32", 0, NULL, 0,
                      KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
    return SELFREG_E_CLASS;
  status = RegSetValueExA(key, NULL, 0, REG_SZ, (const BYTE*)path, length + 1);
  if (status == ERROR_SUCCESS)
    status = RegSetValueExA(key, "ThreadingModel", 0, REG_SZ, (const BYTE*)"Both", 5);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
#endif
}

__declspec(dllexport) HRESULT __stdcall DllUnregisterServer(void) {
  RegDeleteKeyA(HKEY_CLASSES_ROOT, STANDIN_CLASS_KEY "\\InprocServer32");
  RegDeleteKeyA(HKEY_CLASSES_ROOT, STANDIN_CLASS_KEY);
  return S_OK;
}
#endif

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) module = instance;
  return TRUE;
}
