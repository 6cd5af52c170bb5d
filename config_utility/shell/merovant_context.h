// What merovant's windows and pages need of the program: its instance, its
// shell and the shared key's values read at start-up.
#pragma once

#include <windows.h>

#include "common/win32/configuration_key.h"
#include "config_utility/shell/merovant_shell.h"

struct MerovantContext {
    HINSTANCE instance;
    MerovantShell& shell;
    char helpPath[kConfigurationValueSize];  // HelpPath, read at start-up
    char power[kConfigurationValueSize];     // Power, the power-management program
};
