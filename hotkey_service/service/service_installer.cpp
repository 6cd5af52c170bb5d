#include "hotkey_service/service/service_installer.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "common/win32/unique_handle.h"
#include "hotkey_service/service/last_error_text.h"
#include "hotkey_service/service/service_names.h"

namespace {

constexpr DWORD kProgramPathSize = 512;

// How long -remove waits for the service to stop.
constexpr DWORD kStopWaitSeconds = 30;

// The program path as the service manager starts it: quoted when it holds a
// blank, so that no program named by a part of the path runs in its place.
bool ServiceCommandLine(char (&commandLine)[kProgramPathSize + 2]) {
    char path[kProgramPathSize];
    const DWORD length = GetModuleFileNameA(nullptr, path, kProgramPathSize);
    if (length == 0 || length >= kProgramPathSize) return false;
    if (std::strchr(path, ' ') != nullptr)
        std::snprintf(commandLine, sizeof commandLine, "\"%s\"", path);
    else
        std::memcpy(commandLine, path, length + 1);
    return true;
}

bool OpenServiceManager(UniqueServiceHandle& manager) {
    manager.reset(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (manager) return true;
    char error[kErrorTextSize];
    std::printf("OpenSCManager failed - %s\n", LastErrorText(error));
    return false;
}

// Sends the stop request and waits, a dot a second, while the service stops,
// for kStopWaitSeconds at most.
void StopRunningService(SC_HANDLE service) {
    SERVICE_STATUS status{};
    if (!ControlService(service, SERVICE_CONTROL_STOP, &status)) return;
    std::printf("Stopping %s.", kServiceDisplayName);
    std::fflush(stdout);
    Sleep(1000);
    for (DWORD waited = 1; waited < kStopWaitSeconds && QueryServiceStatus(service, &status) &&
                           status.dwCurrentState == SERVICE_STOP_PENDING;
         ++waited) {
        std::printf(".");
        std::fflush(stdout);
        Sleep(1000);
    }
    QueryServiceStatus(service, &status);
    if (status.dwCurrentState == SERVICE_STOPPED)
        std::printf("\n%s stopped.\n", kServiceDisplayName);
    else
        std::printf("\n%s failed to stop.\n", kServiceDisplayName);
}

}  // namespace

void InstallService() {
    char error[kErrorTextSize];
    char commandLine[kProgramPathSize + 2];
    if (!ServiceCommandLine(commandLine)) {
        std::printf("Unable to install %s - %s\n", kServiceDisplayName, LastErrorText(error));
        return;
    }
    UniqueServiceHandle manager;
    if (!OpenServiceManager(manager)) return;
    UniqueServiceHandle service(CreateServiceA(manager.get(), kServiceName, kServiceDisplayName, SERVICE_ALL_ACCESS,
                                               SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS,
                                               SERVICE_AUTO_START, SERVICE_ERROR_NORMAL, commandLine, nullptr,
                                               nullptr, "\0", nullptr, nullptr));
    if (service)
        std::printf("%s installed.\n", kServiceDisplayName);
    else
        std::printf("CreateService failed - %s\n", LastErrorText(error));
}

void RemoveService() {
    char error[kErrorTextSize];
    UniqueServiceHandle manager;
    if (!OpenServiceManager(manager)) return;
    UniqueServiceHandle service(OpenServiceA(manager.get(), kServiceName, SERVICE_ALL_ACCESS));
    if (!service) {
        std::printf("OpenService failed - %s\n", LastErrorText(error));
        return;
    }
    StopRunningService(service.get());
    if (DeleteService(service.get()))
        std::printf("%s removed.\n", kServiceDisplayName);
    else
        std::printf("DeleteService failed - %s\n", LastErrorText(error));
}
