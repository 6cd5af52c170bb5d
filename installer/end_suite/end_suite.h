// Ends the suite's running programs before the installer replaces or removes
// their files: each is asked through its window, as merovant's Customize page
// asks the tray programs; whatever still runs from the installation folder
// after the time given is terminated, but for a program that may be writing
// to the disk's file system itself (see suite_windows.cpp).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The time the programs have to end when asked, and then, once terminated,
// to be gone.
constexpr DWORD kEndMilliseconds = 5000;

// folder: the installation folder; images: the names of the suite's programs
// in it. True when none of them runs any more.
bool EndSuite(const std::string& folder, const std::vector<std::string>& images,
              DWORD endMilliseconds = kEndMilliseconds);
