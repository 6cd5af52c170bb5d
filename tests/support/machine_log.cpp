#include "tests/support/machine_log.h"

#include "tests/support/console_program.h"

bool ReadDecodedMachineLog(std::string* log) {
    std::string output;
    DWORD code = 1;
    const bool read = RunProgramBeside("machinesim.exe", "log --decode", &output, &code) && code == 0;
    *log = read ? output : std::string();
    return read;
}
