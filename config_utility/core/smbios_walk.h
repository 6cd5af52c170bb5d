// The System Information page's reading of the machine's SMBIOS structure
// table: the BIOS version (type 0), the system unit's serial number and
// model (type 1) and the system board's serial number (type 2).
#pragma once

#include <cstddef>
#include <cstdint>

// Each value is at most 255 characters; a longer string is cut.
inline constexpr std::size_t kSmbiosValueSize = 256;

struct SystemInformation {
    char biosVersion[kSmbiosValueSize] = {};         // type 0, string number at offset 5
    char systemUnitSerial[kSmbiosValueSize] = {};    // type 1, offset 7
    char machineModel[kSmbiosValueSize] = {};        // type 1, offset 5
    char systemBoardSerial[kSmbiosValueSize] = {};   // type 2, offset 7
};

// Walks the table's structures (size bytes, never read beyond) and takes the
// values from the structures of types 0, 1 and 2. The values count only once
// a structure of another type follows all three: then info is written and
// the result is true. A table that ends first (or that stops holding together:
// a formatted area shorter than its 4-byte header or running past the end, a
// string set without its closing double NUL) leaves info as it was.
// A string number 0, or one beyond the structure's strings, gives an empty value.
bool WalkSmbiosTable(const std::uint8_t* table, std::size_t size, SystemInformation& info);
