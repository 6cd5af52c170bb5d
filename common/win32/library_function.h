// A function of a DLL found by name at run time: a call newer than Windows
// 4.0, or one of a DLL that a program loads only for the action that needs it.
#pragma once

#include <windows.h>

// Null when the module is null or has no such export.
template <typename Function>
Function FindFunction(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
