// libFuzzer entry: the SMBIOS walk over any bytes. The sanitizers catch a read
// outside the table; a value must come back terminated.
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "config_utility/core/smbios_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SystemInformation info;
    if (WalkSmbiosTable(data, size, info)) {
        for (const char* value : {info.biosVersion, info.systemUnitSerial, info.machineModel, info.systemBoardSerial})
            if (std::memchr(value, 0, kSmbiosValueSize) == nullptr) std::abort();
    }
    return 0;
}
