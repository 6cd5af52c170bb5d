// Texts from the program's string table.
#pragma once

#include <windows.h>

#include <string>

// The string id of the running program's string table, in the language Windows
// chooses for the thread, as ANSI text of the system code page. Empty when the
// table has no such string.
std::string LoadStr(UINT id);
// The same from the string table of module (a library's own, such as a
// Control Panel applet's).
std::string LoadStr(HINSTANCE module, UINT id);
