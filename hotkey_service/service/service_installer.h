// Pressmon's console commands: install, remove, and the debug run.
#pragma once

#include <windows.h>

void InstallService();
void RemoveService();
void DebugService(int argc, char** argv);
BOOL WINAPI ConsoleControlHandler(DWORD event);
