// What the worker and the launches need of the program: its shell, and the
// caption of the service's message boxes (string 1 of the string table,
// loaded when the worker starts).
#pragma once

#include <cstddef>

#include "hotkey_service/shell/pressmon_shell.h"

// A caption of up to 100 characters and its terminator.
inline constexpr std::size_t kMessageCaptionSize = 101;

struct PressmonContext {
    explicit PressmonContext(PressmonShell& programShell) : shell(programShell) {}

    PressmonShell& shell;
    char messageCaption[kMessageCaptionSize] = "";
};
