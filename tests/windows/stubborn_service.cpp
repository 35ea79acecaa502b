// A service that never gets going: it reports a pending start, then gives up and stops, the way
// a broken DHCP client might. The service tests register it in the test prefix.
#include <windows.h>

namespace {

SERVICE_STATUS_HANDLE g_status = nullptr;

void Report(DWORD state, DWORD waitHint) {
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwWaitHint = waitHint;
  status.dwCheckPoint = state == SERVICE_START_PENDING ? 1 : 0;
  SetServiceStatus(g_status, &status);
}

DWORD WINAPI Control(DWORD, DWORD, void*, void*) { return NO_ERROR; }

void WINAPI ServiceMain(DWORD, char**) {
  g_status = RegisterServiceCtrlHandlerExA("TessavaneStubborn", Control, nullptr);
  if (!g_status) return;
  Report(SERVICE_START_PENDING, 200);
  Sleep(600);
  Report(SERVICE_STOPPED, 0);
}

}  // namespace

int main() {
  char name[] = "TessavaneStubborn";
  SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
