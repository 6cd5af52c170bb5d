// A program for taskbar or Panelora to start: writes "directory|command line"
// of each start, one line each, to command-recorder.log beside itself.
#include "tests/support/test_log.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof directory, directory);
    AppendLine(PathBesideProgram("command-recorder.log"), std::string(directory) + "|" + GetCommandLineA());
    return 0;
}
