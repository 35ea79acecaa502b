#include "app/signin/mac_text.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstring>
#include <vector>

#include "app/signin/mac_choice.h"

namespace app {

namespace {

constexpr char kConnectionKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\%s\\Connection";
constexpr DWORD kPnpIdBytes = 2048;

AdapterFacts ReadAdapterFacts(const char* adapterName) {
  AdapterFacts facts;
  char path[512];
  if (std::snprintf(path, sizeof path, kConnectionKey, adapterName) >= static_cast<int>(sizeof path)) return facts;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return facts;
  std::vector<char> pnp(kPnpIdBytes + 1, '\0');
  DWORD size = kPnpIdBytes;
  DWORD type = 0;
  if (::RegQueryValueExA(key, "PnpInstanceID", nullptr, &type, reinterpret_cast<BYTE*>(pnp.data()), &size) ==
          ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ))
    facts.pnpInstanceId = pnp.data();
  DWORD media = 0;
  size = sizeof media;
  const LONG read = ::RegQueryValueExA(key, "MediaSubType", nullptr, &type, reinterpret_cast<BYTE*>(&media), &size);
  if (read == ERROR_SUCCESS && type == REG_DWORD && size == sizeof media) facts.mediaSubType = media;
  else if (read != ERROR_FILE_NOT_FOUND) facts.mediaSubTypeReadError = true;
  ::RegCloseKey(key);
  return facts;
}

}  // namespace

std::string GetMacText() {
  ULONG size = 0;
  ::GetAdaptersInfo(nullptr, &size);  // learns the size; its result says nothing more
  std::vector<ListedAdapter> adapters;
  if (size > 0) {
    std::vector<unsigned char> buffer(size, 0);
    auto* list = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (::GetAdaptersInfo(list, &size) == ERROR_SUCCESS) {
      for (IP_ADAPTER_INFO* adapter = list; adapter; adapter = adapter->Next) {
        ListedAdapter listed;
        if (adapter->AddressLength >= listed.address.size())
          std::memcpy(listed.address.data(), adapter->Address, listed.address.size());
        listed.kind = ClassifyAdapter(ReadAdapterFacts(adapter->AdapterName));
        adapters.push_back(listed);
      }
    }
  }
  return FormatMacAddress(ChooseMacAddress(adapters));
}

}  // namespace app
