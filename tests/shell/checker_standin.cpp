// Stands in for the system file checker, which Wine does not have: notes its working folder
// and command line ("cwd=FOLDER cmd=LINE") in the file that TESSA_CHECKER_LOG names
// (inherited from the program that starts it) and ends.
#include <windows.h>

#include <cstdio>

int main() {
  char path[MAX_PATH];
  if (!GetEnvironmentVariableA("TESSA_CHECKER_LOG", path, MAX_PATH)) return 1;
  FILE* log = std::fopen(path, "a");
  if (!log) return 1;
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  std::fprintf(log, "cwd=%s cmd=%s\n", folder, GetCommandLineA());
  std::fclose(log);
  return 0;
}
