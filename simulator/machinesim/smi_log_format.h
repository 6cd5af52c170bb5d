// The lines of `machinesim log`: "REQ", the eleven request words, " -> ",
// the eleven reply words, each word as 8 hexadecimal digits; with the
// operation's name at the end when decoding.
#pragma once

#include <string>

#include "simulator/model/machine_model.h"

std::string FormatSmiLogLine(const SmiLogEntry& entry, bool decode);

// The name of the operation a request carries ("GetCurDisplay"), or
// "unknown" for one that the machine does not know.
const char* SmiOperationName(const SmiRequest& request);
