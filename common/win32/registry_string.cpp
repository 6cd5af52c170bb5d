#include "common/win32/registry_string.h"

#include <cstring>

bool ReadRegistryString(HKEY key, const char* name, char* buffer, std::size_t size) {
    if (size == 0) return false;
    // One byte more than the caller's buffer, so that a value stored without its
    // terminator still fits with one added.
    char value[1024 + 1];
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(size < sizeof value - 1 ? size : sizeof value - 1);
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    if (bytes > 0 && value[bytes - 1] == '\0') --bytes;
    if (bytes >= size) return false;
    std::memcpy(buffer, value, bytes);
    buffer[bytes] = '\0';
    return true;
}
