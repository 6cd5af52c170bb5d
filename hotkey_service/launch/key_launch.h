// Starting the program configured for a function or number key.
#pragma once

#include "hotkey_service/shell/pressmon_context.h"

// functionGroup selects the function-key values ("FuncProgReg", "FuncParam")
// over the number-key ones; keyDigit is '1' to '9'.
void LaunchKeyProgram(const PressmonContext& context, bool functionGroup, char keyDigit);
