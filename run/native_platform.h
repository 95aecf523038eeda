#pragma once
// The platform services of the system being built for, for the programs that start the core.

#ifdef _WIN32
#include "run/win32_platform.h"
#else
#include "run/posix_platform.h"
#endif

namespace wintarvel {

#ifdef _WIN32
using NativePlatform = Win32Platform;
#else
using NativePlatform = PosixPlatform;
#endif

}  // namespace wintarvel
