#include "hotkey_service/core/launch_key.h"

#include <cstring>

bool BuildLaunchKeyPath(const char* registryKey, char keyDigit, char (&path)[LaunchValueSize]) {
    const std::size_t length = std::strlen(registryKey);
    if (length + 3 > LaunchValueSize) return false;  // backslash, digit, terminator
    std::memcpy(path, registryKey, length);
    path[length] = '\\';
    path[length + 1] = keyDigit;
    path[length + 2] = '\0';
    return true;
}

bool IsImmediateTag(const char* tag) {
    static constexpr char immediate[] = "IMMEDIATE";
    for (std::size_t i = 0;; ++i) {
        char c = tag[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != immediate[i]) return false;
        if (c == '\0') return true;
    }
}
