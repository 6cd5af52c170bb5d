#include "hotkey_service/launch/key_launch.h"

#include <shellapi.h>

#include "common/win32/registry_string.h"
#include "common/win32/unique_handle.h"
#include "hotkey_service/core/launch_key.h"
#include "hotkey_service/launch/hotkey_messages.h"
#include "hotkey_service/service/service_names.h"
#include "resources/pressmon/resource.h"

namespace {

bool OpenMachineKey(const char* path, UniqueRegistryKey& key) {
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS;
}

// The path of the key that holds this key's launch values, from "RegistryKey".
bool LaunchKeyPath(const PressmonContext& context, char keyDigit, char (&path)[kLaunchValueSize]) {
    UniqueRegistryKey serviceKey;
    if (!OpenMachineKey(kHotkeyServiceKey, serviceKey)) {
        ShowHotkeyMessage(context, IDS_ERROR_OPENING_KEY, kHotkeyServiceKey, ".");
        return false;
    }
    char registryKey[kLaunchValueSize];
    // A value with no room left for the backslash and the digit is refused
    // like a missing one, rather than opening a key it does not name.
    if (!ReadRegistryString(serviceKey.get(), "RegistryKey", registryKey) ||
        !BuildLaunchKeyPath(registryKey, keyDigit, path)) {
        ShowHotkeyMessage(context, IDS_ERROR_QUERYING, "RegistryKey.");
        return false;
    }
    return true;
}

}  // namespace

void LaunchKeyProgram(const PressmonContext& context, bool functionGroup, char keyDigit) {
    char path[kLaunchValueSize];
    if (!LaunchKeyPath(context, keyDigit, path)) return;

    UniqueRegistryKey launchKey;
    if (!OpenMachineKey(path, launchKey)) {
        ShowHotkeyMessage(context, IDS_NO_APPLICATION);
        return;
    }
    char tag[kLaunchValueSize];
    if (!ReadRegistryString(launchKey.get(), "Tag", tag)) {
        ShowHotkeyMessage(context, IDS_ERROR_QUERYING, "Tag", ".");
        return;
    }
    const bool immediate = IsImmediateTag(tag);
    const char* progRegName = functionGroup ? "FuncProgReg" : "NumProgReg";
    char progReg[kLaunchValueSize];
    if (!ReadRegistryString(launchKey.get(), progRegName, progReg)) {
        ShowHotkeyMessage(context, IDS_ERROR_QUERYING, progRegName, ".", MB_OK | MB_TASKMODAL, GetActiveWindow());
        return;
    }
    char parameters[kLaunchValueSize] = "";
    ReadRegistryString(launchKey.get(), functionGroup ? "FuncParam" : "NumParam", parameters);
    launchKey.reset();

    char program[2048];
    if (immediate) {
        lstrcpynA(program, progReg, sizeof program);
    } else {
        UniqueRegistryKey programKey;
        if (!OpenMachineKey(progReg, programKey)) {
            ShowHotkeyMessage(context, IDS_NO_APPLICATION);
            return;
        }
        const char digit[] = {keyDigit, '\0'};
        if (!ReadRegistryString(programKey.get(), "Program", program)) {
            ShowHotkeyMessage(context, IDS_ERROR_QUERYING, digit, ".");
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
