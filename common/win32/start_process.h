// Starting another program of the suite, a control panel or a configured
// command: CreateProcessA with no application name, not waited for.
#pragma once

// Starts commandLine (at most 1023 characters) in directory, or in the
// caller's current directory when directory is null; no inherited handles, no
// creation flags, a zeroed start-up description. True when the process was
// created; its handles are closed at once.
bool StartProcess(const char* commandLine, const char* directory = nullptr);
