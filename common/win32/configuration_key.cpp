#include "common/win32/configuration_key.h"

#include <cstring>

#include "common/win32/registry_string.h"

namespace {

constexpr char kConfigurationKey[] = "SOFTWARE\\Merovant\\Configuration Utility";
constexpr REGSAM kConfigurationAccess = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
static_assert(kConfigurationAccess == 0x2001F);

}  // namespace

bool ConfigurationKey::Open() {
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kConfigurationKey, 0, kConfigurationAccess, key_.put()) == ERROR_SUCCESS;
}

bool ConfigurationKey::ReadString(const char* name, char (&buffer)[kConfigurationValueSize]) const {
    buffer[0] = '\0';
    return key_ && ReadRegistryString(key_.get(), name, buffer);
}

bool ConfigurationKey::WriteString(const char* name, const char* value) const {
    const DWORD size = static_cast<DWORD>(std::strlen(value) + 1);
    return key_ && RegSetValueExA(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), size) ==
                       ERROR_SUCCESS;
}

bool ConfigurationKey::ReadDword(const char* name, DWORD& value) const {
    if (!key_) return false;
    DWORD type = 0;
    DWORD read = 0;
    DWORD size = sizeof read;
    if (RegQueryValueExA(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof read)
        return false;
    value = read;
    return true;
}

bool ConfigurationKey::WriteDword(const char* name, DWORD value) const {
    return key_ && RegSetValueExA(key_.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                  sizeof value) == ERROR_SUCCESS;
}

bool ReadConfigurationValue(const char* name, char (&buffer)[kConfigurationValueSize]) {
    buffer[0] = '\0';
    ConfigurationKey key;
    return key.Open() && key.ReadString(name, buffer);
}
