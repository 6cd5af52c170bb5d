// The SMBIOS table as a dump file in the layout that `dmidecode --from-dump`
// reads: a 32-byte SMBIOS 2.3 entry point at offset 0 whose table address is
// 32, then the structure table.
#pragma once

#include <cstdint>
#include <vector>

// Builds the dump of table (size bytes). False when the table is not a
// sequence of whole structures ending in the end-of-table structure (type 127)
// or is too long for the entry point's 16-bit length.
bool BuildSmbiosDump(const std::uint8_t* table, std::uint32_t size, std::vector<std::uint8_t>& dump);
