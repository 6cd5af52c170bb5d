// EndSuite.exe, run by the installer and the uninstaller before they replace
// or remove the suite's files:
//   EndSuite FOLDER IMAGE...
// FOLDER is the installation folder, each IMAGE the name of one of the suite's
// programs in it. Exit code 0: none of them runs any more; 1: a wrong command
// line; 2: a program still runs (the installer asks the user to close it).
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "installer/end_suite/end_suite.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return 1;
    const std::string folder = __argv[1];
    std::vector<std::string> images;
    for (int i = 2; i < __argc; ++i) {
        // A path the system could not name is no file of the suite.
        if (folder.size() + 1 + std::strlen(__argv[i]) >= MAX_PATH) return 1;
        images.emplace_back(__argv[i]);
    }
    return EndSuite(folder, images) ? 0 : 2;
}
