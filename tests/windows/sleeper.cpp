// Stays alive for the milliseconds given, so process tests have a program of their own to find.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  Sleep(argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 10000);
  return 0;
}
