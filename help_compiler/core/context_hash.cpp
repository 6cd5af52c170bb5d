#include "help_compiler/core/context_hash.h"

#include <cstdio>

std::string ContextName(uint32_t context) {
    char name[16];
    std::snprintf(name, sizeof name, "IDH_%X", context);
    return name;
}

int32_t ContextHash(const std::string& name) {
    uint32_t hash = 0;
    for (char c : name) {
        uint32_t value = 0;
        if (c >= 'A' && c <= 'Z') value = static_cast<uint32_t>(c - 'A' + 17);
        else if (c >= 'a' && c <= 'z') value = static_cast<uint32_t>(c - 'a' + 17);
        else if (c >= '1' && c <= '9') value = static_cast<uint32_t>(c - '0');
        else if (c == '0') value = 10;
        else if (c == '.') value = 12;
        else if (c == '_') value = 13;
        hash = hash * 43 + value;  // modulo 2^32, as the readers' 32-bit arithmetic
    }
    return static_cast<int32_t>(hash);
}
