// Shutting the machine down with the shutdown privilege enabled.
#pragma once

#include <windows.h>

#include "hotkey_service/shell/pressmon_shell.h"

bool ShutdownMachine(PressmonShell& shell, UINT flags);
