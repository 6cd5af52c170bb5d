#include "hotkey_service/core/launch_key.h"

#include <cstring>

bool BuildLaunchKeyPath(const char* registryKey, char keyDigit, char (&path)[kLaunchValueSize]) {
    const std::size_t length = std::strlen(registryKey);
    if (length + 3 > kLaunchValueSize) return false;  // backslash, digit, terminator
    std::memcpy(path, registryKey, length);
    path[length] = '\\';
    path[length + 1] = keyDigit;
    path[length + 2] = '\0';
    return true;
}

bool IsImmediateTag(const char* tag) {
    static constexpr char kImmediate[] = "IMMEDIATE";
    for (std::size_t i = 0;; ++i) {
        char c = tag[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != kImmediate[i]) return false;
        if (c == '\0') return true;
    }
}
