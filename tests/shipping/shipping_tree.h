// The shipping tree as its tests see it from the 32-bit Wine: its images, the
// virtual notebook's machinesim beside them, Windows paths of the host's files.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/test_log.h"  // WindowsPath

// The Windows path of a shipping image (merovant.exe, Panelora.cpl, ...).
std::string ShippingImage(const char* name);

// The same, quoted for a command line.
std::string QuotedShippingImage(const char* name);

// Runs the shipping tree's machinesim with arguments to its end; false when it
// did not end within a minute or failed. output gets what it printed.
bool RunMachinesim(const std::string& arguments, std::string* output);

// The machine's request log as `machinesim log --decode` prints it.
std::string DecodedMachineLog();

// The visible top-level window of class (any when null) and title, of any
// process but skip's (0: none skipped); nullptr when there is none.
HWND VisibleWindow(const char* className, const char* title, DWORD skip = 0);

// A program's start under the 32-bit Wine is slow: the waits for a window of
// a program that starts give it this long.
constexpr DWORD kStartMs = 60000;
