// Stands in for the save-to-disk utility in the end-to-end tests: it writes
// its command line to hiber-utility.log beside itself and ends.
#include <windows.h>

#include "tests/support/test_log.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    AppendLine(PathBesideProgram("hiber-utility.log"), std::string("started ") + commandLine);
    return 0;
}
