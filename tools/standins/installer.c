/* Stand-in for a runtime installer of the demo catalogue. Run with exactly the silent switches
 * of its catalogue entry, it creates the registry key that marks its package installed, in the
 * registry view that the real package writes, and exits 0. Run any other way it changes
 * nothing and exits 1, so a repair that passes the wrong switches is seen to fail.
 *
 * The build generates standin_config.h with STANDIN_ROOT, STANDIN_SUBKEY, STANDIN_VIEW
 * (KEY_WOW64_32KEY or KEY_WOW64_64KEY), STANDIN_ARGS and STANDIN_NAME. The tests' stand-ins
 * for the ways real installers end may add STANDIN_EXIT_CODE (exit code after a run with the
 * right switches, default 0), STANDIN_REGISTERS 0 (the key is not written, as by a package
 * that finds a newer version) and STANDIN_HANGS 1 (never ends). A stand-in of a package that
 * records its version in its key (the Visual C++ 2015-2022 ones) gets STANDIN_VERSION_MAJOR,
 * _MINOR and _BUILD, written as the DWORDs Major, Minor and Bld. */
#include <windows.h>

#include "standin_config.h"

#ifndef STANDIN_EXIT_CODE
#define STANDIN_EXIT_CODE 0
#endif
#ifndef STANDIN_REGISTERS
#define STANDIN_REGISTERS 1
#endif
#ifndef STANDIN_HANGS
#define STANDIN_HANGS 0
#endif

static const char* skip_program_name(const char* line) {
  if (*line == '"') {
    ++line;
    while (*line && *line != '"') ++line;
    if (*line == '"') ++line;
  } else {
    while (*line && *line != ' ' && *line != '\t') ++line;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return line;
}

static int arguments_match(const char* given, const char* expected) {
  size_t n = lstrlenA(given);
  while (n > 0 && (given[n - 1] == ' ' || given[n - 1] == '\t')) --n;
  if (n != (size_t)lstrlenA(expected)) return 0;
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, given, (int)n, expected, (int)n) == CSTR_EQUAL;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
  (void)instance; (void)previous; (void)command_line; (void)show;
  if (!arguments_match(skip_program_name(GetCommandLineA()), STANDIN_ARGS)) return 1;
  if (STANDIN_HANGS) {
    for (;;) Sleep(INFINITE);
  }
  if (!STANDIN_REGISTERS) return STANDIN_EXIT_CODE;
  HKEY key;
  if (RegCreateKeyExA(STANDIN_ROOT, STANDIN_SUBKEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE | STANDIN_VIEW, NULL, &key, NULL) != ERROR_SUCCESS)
    return 1;
  DWORD one = 1;
  LONG rc = RegSetValueExA(key, "Installed", 0, REG_DWORD, (const BYTE*)&one, sizeof one);
  if (rc == ERROR_SUCCESS)
    rc = RegSetValueExA(key, "DisplayName", 0, REG_SZ, (const BYTE*)STANDIN_NAME, lstrlenA(STANDIN_NAME) + 1);
#ifdef STANDIN_VERSION_MAJOR
  {
    const DWORD version[3] = {STANDIN_VERSION_MAJOR, STANDIN_VERSION_MINOR, STANDIN_VERSION_BUILD};
    const char* names[3] = {"Major", "Minor", "Bld"};
    for (int i = 0; i < 3 && rc == ERROR_SUCCESS; ++i)
      rc = RegSetValueExA(key, names[i], 0, REG_DWORD, (const BYTE*)&version[i], sizeof version[i]);
  }
#endif
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? STANDIN_EXIT_CODE : 1;
}
