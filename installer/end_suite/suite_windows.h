// The windows by which the suite's programs are found and asked to end, by
// their exact titles, as merovant's Customize page finds the tray programs.
#pragma once

#include "installer/end_suite/suite_processes.h"

// Posts each top-level window with one of the suite's titles the message its
// program ends on, and adds the process that owns it.
void AskSuiteWindowsToEnd(SuiteProcesses& processes);
