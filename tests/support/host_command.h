// The host system seen from a test under Wine: a host command (the disk
// tools) run to its end.
#pragma once

#include <string>

#include "tests/support/test_log.h"  // WindowsPath

// Runs command with the host's bash in folder (a host path), and gives what it
// printed; true when it ended with status 0 within three minutes. Wine does
// not let a Windows program wait for a host process, so the command leaves
// its status in a file of folder when done.
bool RunHostCommand(const std::string& folder, const std::string& command, std::string& output);
