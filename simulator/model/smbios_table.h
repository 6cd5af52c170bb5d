// The SMBIOS structure table that the virtual notebook's DMI proxy hands out.
#pragma once

#include <cstdint>

#include "machine_control/protocols/dmi_protocol.h"

// Types 0 (BIOS), 1 (system) and 2 (base board), then the end-of-table
// structure (type 127). Each structure is its formatted area followed by its
// strings, the set ended by a second NUL.
inline constexpr std::uint8_t kDefaultSmbiosTable[] = {
    // Type 0: vendor 1, version 2 (offset 5), release date 3.
    0x00, 0x12, 0x00, 0x00, 0x01, 0x02, 0x00, 0xE8, 0x03, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    'M', 'e', 'r', 'o', 'v', 'a', 'n', 't', 0,
    'V', '1', '.', '2', '0', 0,
    '0', '3', '/', '1', '5', '/', '9', '8', 0, 0,
    // Type 1: manufacturer 1, product 2 (offset 5), version 3, serial 4 (offset 7).
    0x01, 0x08, 0x01, 0x00, 0x01, 0x02, 0x03, 0x04,
    'M', 'e', 'r', 'o', 'v', 'a', 'n', 't', 0,
    'N', 'o', 't', 'e', 'b', 'o', 'o', 'k', ' ', '5', '1', '0', 'C', 'T', 0,
    '1', '.', '0', 0,
    'S', 'U', '9', '8', '0', '4', '2', '1', '7', '9', 0, 0,
    // Type 2: manufacturer 1, product 2, version 3, serial 4 (offset 7).
    0x02, 0x08, 0x02, 0x00, 0x01, 0x02, 0x03, 0x04,
    'M', 'e', 'r', 'o', 'v', 'a', 'n', 't', 0,
    'M', 'B', '-', '5', '1', '0', 0,
    'R', 'e', 'v', ' ', 'B', 0,
    'B', 'D', '9', '8', '1', '1', '3', '0', '6', '9', 0, 0,
    // End of table.
    0x7F, 0x04, 0x03, 0x00, 0, 0,
};
static_assert(sizeof(kDefaultSmbiosTable) <= kSmbiosTableMax, "the default table fits the reply buffer");
