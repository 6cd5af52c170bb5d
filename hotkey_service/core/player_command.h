// The audio player's command line as the shell's Play verb stores it.
#pragma once

// Cuts commandLine just after the first "exe" (any case), dropping the
// arguments that follow the program; a line without one stays whole.
void CutAfterExe(char* commandLine);
