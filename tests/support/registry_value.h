// The prefix's shared configuration key as the installation lays it down,
// with the values a test changes put back when it ends.
#pragma once

#include "common/win32/unique_handle.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

class SavedSharedValues {
public:
    // Opens (or creates) HKLM\SOFTWARE\Merovant\Configuration Utility and
    // keeps the values names as they are now, to put them back at the end.
    explicit SavedSharedValues(std::initializer_list<const char*> names = {});
    ~SavedSharedValues();
    SavedSharedValues(const SavedSharedValues&) = delete;
    SavedSharedValues& operator=(const SavedSharedValues&) = delete;

    bool opened() const { return static_cast<bool>(key_); }

    // Writes value as REG_SZ.
    void Set(const char* name, const std::string& value);
    void SetDword(const char* name, DWORD value);
    void Remove(const char* name);
    // A string value; "(missing)" when there is none or it is of another type.
    std::string Get(const char* name) const;
    // A REG_DWORD value; 0 when there is none or it is of another type.
    DWORD GetDword(const char* name) const;

private:
    struct Saved {
        const char* name;
        DWORD type;  // 0: the value did not exist
        std::vector<BYTE> data;
    };
    UniqueRegistryKey key_;
    std::vector<Saved> saved_;
};
