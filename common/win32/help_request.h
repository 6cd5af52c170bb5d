// Help that opens, or a message that says why not. A program hands the help
// reader only a file that is there, so that the user never meets the reader's
// own "cannot find" prompt for an empty or absent name, and tells its user
// when there is no file or the reader does not take the request.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The program's string ids of what its user is told when no help opens.
struct HelpMessages {
    UINT notSetUp;   // no help file is named
    UINT notFound;   // the file named is not there; "%s" stands for its name
    UINT notOpened;  // the help reader did not take the request
};

// Asks for help from file with ask (the program's shell, which asks the help
// reader and answers whether it took the request) once file is known to be
// there. Returns what to tell the user when no help opens, "" when it did.
std::string RequestHelp(const char* file, const HelpMessages& messages, const std::function<bool()>& ask);

// RequestHelp for the program's own help file (ProgramHelpFile of
// help_context.h); ask gets its name.
std::string RequestProgramHelp(const HelpMessages& messages, const std::function<bool(const char* file)>& ask);

// WinHelpA, asked once more when it fails. WinHelpA starts the reader when
// none runs and looks for its window at once; a reader still starting has
// none yet, so the second ask waits a few seconds at most for that window.
bool AskHelpReader(HWND owner, const char* file, UINT command, ULONG_PTR data);
