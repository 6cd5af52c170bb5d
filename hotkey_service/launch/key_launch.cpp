#include "hotkey_service/launch/key_launch.h"

#include "common/win32/registry_string.h"
#include "common/win32/unique_handle.h"
#include "hotkey_service/launch/hotkey_messages.h"
#include "hotkey_service/core/launch_key.h"
#include "hotkey_service/service/service_key.h"
#include "resources/pressmon/resource.h"

#include <shellapi.h>

namespace {

bool OpenMachineKey(const char* path, UniqueRegistryKey* key) {
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, key->put()) == ERROR_SUCCESS;
}

// The path of the key that holds this key's launch values, from "RegistryKey".
bool LaunchKeyPath(char keyDigit, char (&path)[LaunchValueSize]) {
    UniqueRegistryKey serviceKey;
    if (!OpenMachineKey(HotkeyServiceKey, &serviceKey)) {
        ShowHotkeyMessage(IDS_ERROR_OPENING_KEY, HotkeyServiceKey, ".");
        return false;
    }
    char registryKey[LaunchValueSize];
    // A value with no room left for the backslash and the digit is refused
    // like a missing one, rather than opening a key it does not name.
    if (!ReadRegistryString(serviceKey.get(), "RegistryKey", registryKey) ||
        !BuildLaunchKeyPath(registryKey, keyDigit, path)) {
        ShowHotkeyMessage(IDS_ERROR_QUERYING, "RegistryKey.");
        return false;
    }
    return true;
}

}  // namespace

void LaunchKeyProgram(bool functionGroup, char keyDigit) {
    char path[LaunchValueSize];
    if (!LaunchKeyPath(keyDigit, path)) return;

    UniqueRegistryKey launchKey;
    if (!OpenMachineKey(path, &launchKey)) {
        ShowHotkeyMessage(IDS_NO_APPLICATION);
        return;
    }
    char tag[LaunchValueSize];
    if (!ReadRegistryString(launchKey.get(), "Tag", tag)) {
        ShowHotkeyMessage(IDS_ERROR_QUERYING, "Tag", ".");
        return;
    }
    const bool immediate = IsImmediateTag(tag);
    const char* progRegName = functionGroup ? "FuncProgReg" : "NumProgReg";
    char progReg[LaunchValueSize];
    if (!ReadRegistryString(launchKey.get(), progRegName, progReg)) {
        ShowHotkeyMessage(IDS_ERROR_QUERYING, progRegName, ".", MB_OK | MB_TASKMODAL, GetActiveWindow());
        return;
    }
    char parameters[LaunchValueSize] = "";
    ReadRegistryString(launchKey.get(), functionGroup ? "FuncParam" : "NumParam", parameters);
    launchKey.reset();

    char program[2048];
    if (immediate) {
        lstrcpynA(program, progReg, sizeof program);
    } else {
        UniqueRegistryKey programKey;
        if (!OpenMachineKey(progReg, &programKey)) {
            ShowHotkeyMessage(IDS_NO_APPLICATION);
            return;
        }
        const char digit[] = {keyDigit, '\0'};
        if (!ReadRegistryString(programKey.get(), "Program", program)) {
            ShowHotkeyMessage(IDS_ERROR_QUERYING, digit, ".");
            return;
        }
    }

    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.lpFile = program;
    execute.lpParameters = parameters;
    execute.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&execute);
}
