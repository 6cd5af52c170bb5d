// The service's main routine and control handler, called by the dispatcher.
#pragma once

#include <windows.h>

void WINAPI ServiceMain(DWORD argc, char** argv);
void WINAPI ServiceControlHandler(DWORD control);
