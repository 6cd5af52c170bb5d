// Which Windows sorvault runs on, from the system's own version answers.
#pragma once

#include <cstdint>

// Windows NT (the top bit of GetVersion clear).
bool IsWindowsNt();
// On Windows 95/98 the build number's low 16 bits; false on Windows NT.
bool Windows9xBuild(uint32_t& build);
