// Reading registry strings into the suite's fixed buffers.
#pragma once

#include <windows.h>

#include <cstddef>

// Reads the string value name of key into buffer (size bytes). The result is
// always terminated, also when the stored value is not or fills the buffer.
// Returns false (and leaves buffer as it was) when the value is missing, is
// not a string, or does not fit.
bool ReadRegistryString(HKEY key, const char* name, char* buffer, std::size_t size);

template <std::size_t N>
bool ReadRegistryString(HKEY key, const char* name, char (&buffer)[N]) {
    return ReadRegistryString(key, name, buffer, N);
}
