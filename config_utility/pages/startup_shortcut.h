// The shortcuts that start the tray launcher and the fuel gauge at logon, in
// the all-users Startup folder.
#pragma once

#include <windows.h>

#include "common/win32/configuration_key.h"

// The all-users Startup folder: "Common Startup" of the Explorer's Shell
// Folders key; false (and folder empty) when it cannot be read.
bool ReadCommonStartupFolder(char (&folder)[kConfigurationValueSize]);

// Saves a shell link at linkPath that starts target, with description, through
// the shell link object (OLE initialised for the call). False when a step
// fails; the following steps are then skipped.
bool CreateShortcut(const char* linkPath, const char* target, const char* description);
