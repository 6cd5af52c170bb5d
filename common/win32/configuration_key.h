// The shared registry key HKLM\SOFTWARE\Merovant\Configuration Utility, where
// the installation lays down the programs' command lines and the programs
// record which of them run (CUTray, FGTray, TaskBarId).
#pragma once

#include <windows.h>

#include <cstddef>

#include "common/win32/unique_handle.h"

// The suite's fixed size for a string value read from the key.
inline constexpr std::size_t kConfigurationValueSize = 256;

class ConfigurationKey {
public:
    // Opens the key (KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, as every
    // program of the suite does); false when it cannot be opened.
    bool Open();

    // Reads the string value name into buffer, terminated. A missing value,
    // one of another type or one that does not fit leaves buffer empty and
    // returns false.
    bool ReadString(const char* name, char (&buffer)[kConfigurationValueSize]) const;
    // Writes value as REG_SZ with its terminator.
    bool WriteString(const char* name, const char* value) const;
    // A REG_DWORD value; a missing value or one of another type or size fails
    // and leaves value as it was.
    bool ReadDword(const char* name, DWORD& value) const;
    bool WriteDword(const char* name, DWORD value) const;

private:
    UniqueRegistryKey key_;
};

// Opens the key, reads the string value name into buffer and closes the key:
// the one read that most callers need.
bool ReadConfigurationValue(const char* name, char (&buffer)[kConfigurationValueSize]);
