// merovant.exe (and its test build): the configuration utility.
#include <windows.h>

#include <cstdlib>

#include "config_utility/app/merovant_app.h"
#include "config_utility/shell/merovant_shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // The C runtime splits the command line by the usual Windows rules.
    const int count = __argc > 0 ? __argc - 1 : 0;
    return RunMerovant(instance, static_cast<std::size_t>(count), count > 0 ? __argv + 1 : nullptr, showCommand,
                       ProgramShell());
}
