// hlpc: the suite's help compiler (see hlpc_command.h).
#include <iostream>

#include "help_compiler/tools/hlpc_command.h"

int main(int argc, char** argv) {
    return RunHelpCompiler(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
