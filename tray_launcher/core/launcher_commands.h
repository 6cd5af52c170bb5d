// The tray launcher's menu commands: which merovant page switch each one
// sends, or which fixed command line it starts, and the command lines built
// from them.
#pragma once

#include <cstddef>
#include <string>

struct LauncherCommand {
    unsigned command;        // menu command id
    unsigned textId;         // string table id of the entry's text
    const char* pageSwitch;  // appended to "Program", with its leading blank; null for a fixed line
    const char* fixedLine;   // started as it is, with no working directory; null for a page switch
};

// Every command of the left-click menu, in menu order.
extern const LauncherCommand kLauncherCommands[15];

// The command with that id, or null.
const LauncherCommand* FindLauncherCommand(unsigned command);

// The texts of the left-click menu's submenus, set by position 0 to 4.
extern const unsigned kLauncherSubmenuTextIds[5];

// The line a command starts: the "Program" value followed directly by the
// command's switch (nothing quoted, as the installation wrote the value), or
// the command's fixed line.
std::string LauncherCommandLine(const LauncherCommand& command, const char* program);
