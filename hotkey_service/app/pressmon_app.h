// Pressmon's start: -install, -remove, the -debug run in the console, or the
// service handed to the service control manager's dispatcher.
#pragma once

#include "hotkey_service/shell/pressmon_shell.h"

// Runs the program for its command line; returns the process exit code.
int RunPressmon(int argc, char** argv, PressmonShell& shell);
