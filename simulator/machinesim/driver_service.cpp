#include "simulator/machinesim/driver_service.h"

#include <windows.h>

#include <cstring>

#include "common/win32/unique_handle.h"
#include "simulator/machinesim/control_device.h"

namespace {

constexpr DWORD kStartWaitMs = 10000;
constexpr DWORD kPollMs = 50;

// The driver's full path: this program's folder and the driver's file name.
bool DriverPath(char (&path)[MAX_PATH]) {
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    char* slash = std::strrchr(path, '\\');
    if (slash == nullptr) return false;
    const std::size_t folder = static_cast<std::size_t>(slash + 1 - path);
    if (folder + sizeof kDriverFileName > MAX_PATH) return false;
    std::memcpy(slash + 1, kDriverFileName, sizeof kDriverFileName);
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool WaitForControlDevice() {
    for (DWORD waited = 0; waited < kStartWaitMs; waited += kPollMs) {
        ControlDevice device;
        if (device.Open()) return true;
        Sleep(kPollMs);
    }
    return false;
}

}  // namespace

bool InstallDriverService() {
    char path[MAX_PATH];
    if (!DriverPath(path)) return false;
    UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) return false;
    UniqueServiceHandle service(CreateServiceA(manager.get(), kDriverServiceName, kDriverServiceName,
                                               SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER, SERVICE_SYSTEM_START,
                                               SERVICE_ERROR_NORMAL, path, nullptr, nullptr, nullptr, nullptr,
                                               nullptr));
    if (!service) {
        if (GetLastError() != ERROR_SERVICE_EXISTS) return false;
        service.reset(OpenServiceA(manager.get(), kDriverServiceName, SERVICE_ALL_ACCESS));
        if (!service) return false;
        if (!ChangeServiceConfigA(service.get(), SERVICE_KERNEL_DRIVER, SERVICE_SYSTEM_START, SERVICE_ERROR_NORMAL,
                                  path, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr))
            return false;
    }
    if (!StartServiceA(service.get(), 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) return false;
    return WaitForControlDevice();
}

bool RemoveDriverService() {
    UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) return false;
    UniqueServiceHandle service(OpenServiceA(manager.get(), kDriverServiceName, SERVICE_ALL_ACCESS));
    if (!service) return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST;
    SERVICE_STATUS status;
    ControlService(service.get(), SERVICE_CONTROL_STOP, &status);  // a stopped driver answers with an error
    return DeleteService(service.get()) != FALSE || GetLastError() == ERROR_SERVICE_MARKED_FOR_DELETE;
}
