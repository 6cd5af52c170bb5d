#include "config_utility/core/smbios_walk.h"

#include <cstring>

namespace {

// The formatted area's header: type, length, handle.
constexpr std::size_t kHeaderSize = 4;

// The end of the string set that starts at `strings`: the offset just past
// its double NUL, or 0 when the set runs off the end of the table. A set
// without strings is the two NULs alone.
std::size_t StringSetEnd(const std::uint8_t* table, std::size_t size, std::size_t strings) {
    for (std::size_t i = strings; i + 1 < size; ++i)
        if (table[i] == 0 && table[i + 1] == 0) return i + 2;
    return 0;
}

// Copies string number `number` of the set between strings and end into value
// (cut at 255 characters); 0 or a number beyond the set gives "".
void TakeString(const std::uint8_t* table, std::size_t strings, std::size_t end, std::uint8_t number,
                char (&value)[kSmbiosValueSize]) {
    value[0] = 0;
    if (number == 0) return;
    std::size_t at = strings;
    for (std::uint8_t n = 1; n < number; ++n) {
        while (at < end && table[at] != 0) ++at;
        ++at;  // past the string's NUL
        if (at >= end || table[at] == 0) return;  // the set ended first
    }
    std::size_t length = 0;
    while (at + length < end && table[at + length] != 0 && length < kSmbiosValueSize - 1) ++length;
    std::memcpy(value, table + at, length);
    value[length] = 0;
}

// The string number at offset in the formatted area; 0 when the area is too
// short to hold it.
std::uint8_t StringNumber(const std::uint8_t* area, std::uint8_t length, std::size_t offset) {
    return offset < length ? area[offset] : 0;
}

}  // namespace

bool WalkSmbiosTable(const std::uint8_t* table, std::size_t size, SystemInformation& info) {
    SystemInformation found;
    bool bios = false, system = false, board = false;
    std::size_t at = 0;
    while (at + kHeaderSize <= size) {
        const std::uint8_t* area = table + at;
        const std::uint8_t type = area[0];
        const std::uint8_t length = area[1];
        if (length < kHeaderSize || at + length > size) return false;
        const std::size_t strings = at + length;
        const std::size_t end = StringSetEnd(table, size, strings);
        if (end == 0) return false;
        switch (type) {
            case 0:
                TakeString(table, strings, end, StringNumber(area, length, 5), found.biosVersion);
                bios = true;
                break;
            case 1:
                TakeString(table, strings, end, StringNumber(area, length, 7), found.systemUnitSerial);
                TakeString(table, strings, end, StringNumber(area, length, 5), found.machineModel);
                system = true;
                break;
            case 2:
                TakeString(table, strings, end, StringNumber(area, length, 7), found.systemBoardSerial);
                board = true;
                break;
            default:
                if (bios && system && board) {
                    info = found;
                    return true;
                }
                break;
        }
        at = end;
    }
    return false;
}
