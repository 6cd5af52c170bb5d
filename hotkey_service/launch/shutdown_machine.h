// Shutting the machine down with the shutdown privilege enabled.
#pragma once

#include <windows.h>

bool ShutdownMachine(UINT flags);
