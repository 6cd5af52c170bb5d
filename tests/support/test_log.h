// The logs that the test's stand-in programs keep beside themselves.
#pragma once

#include <windows.h>

#include <string>

// The path of file name in the folder of the running program.
std::string PathBesideProgram(const char* name);

// Appends line to the file at path.
void AppendLine(const std::string& path, const std::string& line);

// The whole file, or "" when it does not exist.
std::string ReadWholeFile(const std::string& path);
