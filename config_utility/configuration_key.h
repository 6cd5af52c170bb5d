// The shared registry key HKLM\SOFTWARE\Merovant\Configuration Utility.
#pragma once

#include <cstddef>

// The suite's fixed size for a string value read from the key.
inline constexpr std::size_t kConfigurationValueSize = 256;

// Opens the key (KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, as every
// program of the suite does) and reads the string value name into buffer,
// terminated. A missing key or value, or one that does not fit, leaves buffer
// empty and returns false.
bool ReadConfigurationValue(const char* name, char (&buffer)[kConfigurationValueSize]);
