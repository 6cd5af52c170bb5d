#include "common/win32/registry_string.h"

#include <cstring>

bool ReadRegistryString(HKEY key, const char* name, char* buffer, std::size_t size) {
    if (size == 0 || size > kRegistryStringMax) return false;
    // One byte more than the caller's buffer, so that a value stored without its
    // terminator still fits with one added; a value longer than that answers
    // ERROR_MORE_DATA and counts as not fitting.
    char value[kRegistryStringMax + 1];
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(size + 1);
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    if (bytes > size + 1) return false;
    if (bytes > 0 && value[bytes - 1] == '\0') --bytes;
    if (bytes >= size) return false;
    std::memcpy(buffer, value, bytes);
    buffer[bytes] = '\0';
    return true;
}
