// Starting the program configured for a function or number key.
#pragma once

// functionGroup selects the function-key values ("FuncProgReg", "FuncParam")
// over the number-key ones; keyDigit is '1' to '9'.
void LaunchKeyProgram(bool functionGroup, char keyDigit);
