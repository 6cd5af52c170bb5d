#include "config_utility/configuration_key.h"

#include <windows.h>

#include "common/registry_string.h"
#include "common/unique_handle.h"

namespace {

constexpr char kConfigurationKey[] = "SOFTWARE\\Merovant\\Configuration Utility";
constexpr REGSAM kConfigurationAccess = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
static_assert(kConfigurationAccess == 0x2001F);

}  // namespace

bool ReadConfigurationValue(const char* name, char (&buffer)[kConfigurationValueSize]) {
    buffer[0] = '\0';
    UniqueRegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kConfigurationKey, 0, kConfigurationAccess, key.put()) != ERROR_SUCCESS)
        return false;
    return ReadRegistryString(key.get(), name, buffer);
}
