// A Control Panel applet loaded as the Control Panel loads it: the library
// and its CPlApplet export, freed at the end.
#pragma once

#include <windows.h>
#include <cpl.h>

#include <string>

class LoadedApplet {
public:
    explicit LoadedApplet(const std::string& path) : library(LoadLibraryA(path.c_str())) {
        if (library) entry = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(GetProcAddress(library, "CPlApplet")));
    }
    ~LoadedApplet() {
        if (library) FreeLibrary(library);
    }
    LoadedApplet(const LoadedApplet&) = delete;
    LoadedApplet& operator=(const LoadedApplet&) = delete;

    HMODULE library;
    APPLET_PROC entry = nullptr;
};
