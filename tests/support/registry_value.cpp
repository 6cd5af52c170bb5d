#include "tests/support/registry_value.h"

SavedSharedValues::SavedSharedValues(std::initializer_list<const char*> names) {
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Merovant\\Configuration Utility", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, key_.put(), nullptr);
    for (const char* name : names) {
        Saved saved{name, 0, {}};
        DWORD size = 0;
        if (key_ && RegQueryValueExA(key_.get(), name, nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
            saved.data.resize(size);
            RegQueryValueExA(key_.get(), name, nullptr, &saved.type, saved.data.data(), &size);
        } else {
            saved.type = 0;
        }
        saved_.push_back(saved);
    }
}

SavedSharedValues::~SavedSharedValues() {
    for (const Saved& s : saved_) {
        if (s.type == 0)
            RegDeleteValueA(key_.get(), s.name);
        else
            RegSetValueExA(key_.get(), s.name, 0, s.type, s.data.data(), static_cast<DWORD>(s.data.size()));
    }
}

void SavedSharedValues::Set(const char* name, const std::string& value) {
    RegSetValueExA(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

void SavedSharedValues::SetDword(const char* name, DWORD value) {
    RegSetValueExA(key_.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void SavedSharedValues::Remove(const char* name) { RegDeleteValueA(key_.get(), name); }

std::string SavedSharedValues::Get(const char* name) const {
    char value[256] = {};
    DWORD size = sizeof value - 1, type = 0;
    if (RegQueryValueExA(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return "(missing)";
    return value;
}

DWORD SavedSharedValues::GetDword(const char* name) const {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegQueryValueExA(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0;
    return value;
}
