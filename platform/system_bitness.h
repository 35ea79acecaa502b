#pragma once

namespace platform {

// The processor architecture of the machine rather than of this 32-bit process.
bool IsSystem64Bit();

}  // namespace platform
