// Pressmon (and its test build): the hot-key service, its own installer and
// its debug console.
#include "hotkey_service/app/pressmon_app.h"
#include "hotkey_service/shell/pressmon_shell.h"

int main(int argc, char** argv) { return RunPressmon(argc, argv, ProgramShell()); }
