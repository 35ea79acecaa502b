// Prints to its standard output and error the way the console tools do, for the capture tests:
//   chatter OUT_BYTES ERR_BYTES PAUSE_MS [TAIL [LINGER_MS]]
// OUT_BYTES letters a..z repeated on standard output, ERR_BYTES "E" on standard error, then
// after PAUSE_MS the TAIL text on standard output; with LINGER_MS it closes both outputs and
// stays alive that long before it ends.
//   chatter --spawn ARGUMENTS...
// prints "spawn;", starts chatter ARGUMENTS... on the same outputs and ends without waiting,
// so that output keeps coming after it has gone.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Write(DWORD which, const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(which), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

int Spawn(int argc, char** argv) {
  Write(STD_OUTPUT_HANDLE, "spawn;");
  std::string line = "\"" + std::string(argv[0]) + "\"";
  for (int i = 2; i < argc; ++i) line += std::string(" ") + argv[i];
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process))
    return 3;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--spawn") == 0) return Spawn(argc, argv);
  if (argc < 4) return 2;
  std::string out(static_cast<size_t>(std::atoi(argv[1])), '\0');
  for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<char>('a' + i % 26);
  Write(STD_OUTPUT_HANDLE, out);
  Write(STD_ERROR_HANDLE, std::string(static_cast<size_t>(std::atoi(argv[2])), 'E'));
  Sleep(static_cast<DWORD>(std::atoi(argv[3])));
  if (argc > 4) Write(STD_OUTPUT_HANDLE, argv[4]);
  if (argc > 5) {
    CloseHandle(GetStdHandle(STD_OUTPUT_HANDLE));
    CloseHandle(GetStdHandle(STD_ERROR_HANDLE));
    Sleep(static_cast<DWORD>(std::atoi(argv[5])));
  }
  return 0;
}
