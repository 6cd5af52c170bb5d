// The virtual notebook's request log, read through machinesim.exe beside the
// running test.
#pragma once

#include <string>

// The requests the virtual notebook received, as `machinesim log --decode`
// prints them; false (and log empty) when machinesim did not run or failed.
bool ReadDecodedMachineLog(std::string* log);
