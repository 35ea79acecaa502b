#include "platform/system_bitness.h"

#include <windows.h>

namespace platform {

bool IsSystem64Bit() {
  SYSTEM_INFO info = {};
  GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

}  // namespace platform
