#include "simulator/machinesim/smbios_dump.h"

#include <cstring>

namespace {

constexpr std::uint32_t kEntryPointSize = 0x1F;
constexpr std::uint32_t kTableOffset = 32;
constexpr std::uint8_t kEndOfTable = 127;

struct TableShape {
    std::uint16_t structures;
    std::uint16_t largest;  // formatted area and strings of the largest structure
};

// Walks the structures: each is its formatted area (length at offset 1, at
// least the 4-byte header) and its strings up to a double NUL, within size.
bool WalkTable(const std::uint8_t* table, std::uint32_t size, TableShape& shape) {
    shape = {0, 0};
    std::uint32_t at = 0;
    while (at < size) {
        if (size - at < 4 || table[at + 1] < 4 || table[at + 1] > size - at) return false;
        const std::uint8_t type = table[at];
        std::uint32_t end = at + table[at + 1];
        while (end + 1 < size && !(table[end] == 0 && table[end + 1] == 0)) ++end;
        if (end + 1 >= size) return false;
        end += 2;
        if (shape.structures == 0xFFFF) return false;
        ++shape.structures;
        if (end - at > shape.largest) shape.largest = static_cast<std::uint16_t>(end - at);
        at = end;
        if (type == kEndOfTable) return at == size;
    }
    return false;
}

std::uint8_t ChecksumByte(const std::uint8_t* bytes, std::uint32_t count) {
    std::uint8_t sum = 0;
    for (std::uint32_t i = 0; i < count; ++i) sum = static_cast<std::uint8_t>(sum + bytes[i]);
    return static_cast<std::uint8_t>(0u - sum);
}

void Put16(std::uint8_t* at, std::uint32_t v) {
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace

bool BuildSmbiosDump(const std::uint8_t* table, std::uint32_t size, std::vector<std::uint8_t>& dump) {
    TableShape shape;
    if (table == nullptr || size == 0 || size > 0xFFFF || !WalkTable(table, size, shape)) return false;
    std::vector<std::uint8_t> out(kTableOffset + size, 0);
    std::uint8_t* entry = out.data();
    std::memcpy(entry, "_SM_", 4);
    entry[0x05] = kEntryPointSize;
    entry[0x06] = 2;  // SMBIOS 2.3
    entry[0x07] = 3;
    Put16(entry + 0x08, shape.largest);
    std::memcpy(entry + 0x10, "_DMI_", 5);
    Put16(entry + 0x16, size);
    entry[0x18] = kTableOffset;  // the table's address: right after the entry point in the file
    Put16(entry + 0x1C, shape.structures);
    entry[0x1E] = 0x23;
    entry[0x15] = ChecksumByte(entry + 0x10, 0x0F);
    entry[0x04] = ChecksumByte(entry, kEntryPointSize);
    std::memcpy(out.data() + kTableOffset, table, size);
    dump.swap(out);
    return true;
}
