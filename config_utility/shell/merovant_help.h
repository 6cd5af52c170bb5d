// merovant's help: the help file checked, asked for through the shell, and a
// message from the string table when no help opens.
#pragma once

#include <windows.h>

#include "config_utility/shell/merovant_context.h"

// Help from file (the one HelpPath names, or the program's own): command
// HELP_CONTEXT or HELP_CONTEXTPOPUP with helpContext, over owner. When no
// file is named, the file is not there or the help reader does not take the
// request, a message box over owner says so.
void ShowHelp(MerovantContext& context, HWND owner, const char* file, UINT command, DWORD helpContext);

// The same from the program's own help file, merovant.hlp beside it: the
// Help command, What's This and F1.
void ShowProgramHelp(MerovantContext& context, HWND owner, UINT command, DWORD helpContext);
