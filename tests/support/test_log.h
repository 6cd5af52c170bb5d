// The logs that the test's stand-in programs keep beside themselves.
#pragma once

#include <windows.h>

#include <string>

// The path of file name in the folder of the running program.
std::string PathBesideProgram(const char* name);

// The folder of the running program, without a closing backslash.
std::string FolderOfProgram();

// The Windows path (drive Z:) of a path of the host.
std::string WindowsPath(const std::string& hostPath);

// Appends line to the file at path.
void AppendLine(const std::string& path, const std::string& line);

// The whole file, or "" when it does not exist.
std::string ReadWholeFile(const std::string& path);

// command_recorder.exe, the stand-in that writes "directory|command line" of
// each start to command-recorder.log beside itself.
struct CommandRecorder {
    std::string program;
    std::string log;
};

// The recorder beside the running test, or a copy of it named name in folder
// (program empty when it cannot be copied there); its log removed.
CommandRecorder FreshCommandRecorder(const std::string& folder = FolderOfProgram(),
                                     const char* name = "command_recorder.exe");
