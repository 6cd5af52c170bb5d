// The help compiler's command:
//   hlpc SOURCE.txt OUTPUT.hlp   compiles a help source
//   hlpc --list FILE.hlp         lists a help file's context numbers and keywords
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs the command with arguments (without the program's name); messages go
// to out and errors, "FILE:LINE: what is wrong" for a source, to err. The
// output file appears whole or not at all. 0 on success.
int RunHelpCompiler(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
