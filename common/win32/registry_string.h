// Reading registry strings into the suite's fixed buffers.
#pragma once

#include <windows.h>

#include <cstddef>

// The longest buffer a string is read into.
inline constexpr std::size_t kRegistryStringMax = 4096;

// Reads the string value name of key into buffer (size bytes, at most
// kRegistryStringMax). The result is always terminated, also when the stored
// value is not. Returns false (and leaves buffer as it was) when the value is
// missing, is not a string, or does not fit with its terminator.
bool ReadRegistryString(HKEY key, const char* name, char* buffer, std::size_t size);

template <std::size_t N>
bool ReadRegistryString(HKEY key, const char* name, char (&buffer)[N]) {
    static_assert(N <= kRegistryStringMax, "registry strings are read into buffers of at most 4096 bytes");
    return ReadRegistryString(key, name, buffer, N);
}
