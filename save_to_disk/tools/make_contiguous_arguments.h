// make-contiguous's command line: IMAGE PATH BYTES [--partition N] [--engine fat|fsctl].
#pragma once

#include <cstdint>
#include <string>

struct MakeContiguousArguments {
    std::string image;
    std::string path;        // "\NAME.EXT" on the volume, at most 250 characters
    uint64_t bytes = 0;      // at most 0xFFFFFFFF
    unsigned partition = 0;  // 0 a bare volume, 1 to 4 an MBR entry
    bool fsctl = false;      // the file-system-control engine instead of the FAT engine
};

// Reads argv[1] to argv[argc - 1]. False, leaving `arguments` alone, for a
// missing or unknown argument, a number that is not decimal or out of range,
// or a path that does not start at the root.
bool ParseMakeContiguousArguments(int argc, const char* const* argv, MakeContiguousArguments& arguments);
