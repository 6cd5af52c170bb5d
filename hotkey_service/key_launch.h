// Starting the program configured for a function or number key.
#pragma once

// group selects the function-key values (group 0) or the number-key values;
// keyDigit is '1' to '9'.
void LaunchKeyProgram(bool functionGroup, char keyDigit);
