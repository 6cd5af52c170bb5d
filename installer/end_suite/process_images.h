// The running processes with the path of the program each runs, as far as the
// system tells it: Windows NT through psapi.dll (Windows 2000 on, and NT 4.0
// where it is installed), Windows 95 and 98 through the tool-help snapshot.
// Both are found at run time, since neither is there on every system.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ProcessImage {
    DWORD id;
    std::string path;  // the program's file, as the system names it
};

std::vector<ProcessImage> RunningProcessImages();
