#include "hotkey_service/service/service_status.h"

#include "hotkey_service/service/service_names.h"
#include "hotkey_service/core/status_rules.h"

#include <cstdio>

bool DebugMode = false;

namespace {

SERVICE_STATUS serviceStatus = {SERVICE_WIN32_OWN_PROCESS, SERVICE_STOPPED, 0, NO_ERROR, 0, 0, 0};
SERVICE_STATUS_HANDLE statusHandle = nullptr;
std::uint32_t checkPointCounter = 1;
DWORD lastLoggedError = 0;

static_assert(ServiceStopped == SERVICE_STOPPED && ServiceStartPending == SERVICE_START_PENDING &&
              ServiceStopPending == SERVICE_STOP_PENDING && ServiceRunning == SERVICE_RUNNING &&
              ServiceAcceptStop == SERVICE_ACCEPT_STOP);

}  // namespace

bool RegisterServiceStatus(LPHANDLER_FUNCTION handler) {
    statusHandle = RegisterServiceCtrlHandlerA(ServiceName, handler);
    if (statusHandle == nullptr) return false;
    serviceStatus.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    serviceStatus.dwServiceSpecificExitCode = 0;
    return true;
}

bool ReportServiceStatus(DWORD state, DWORD exitCode, DWORD waitHint) {
    if (DebugMode) return true;
    const StatusFields fields = NextStatusFields(state, &checkPointCounter);
    serviceStatus.dwControlsAccepted = fields.controlsAccepted;
    serviceStatus.dwCurrentState = state;
    serviceStatus.dwWin32ExitCode = exitCode;
    serviceStatus.dwWaitHint = waitHint;
    serviceStatus.dwCheckPoint = fields.checkPoint;
    const bool reported = SetServiceStatus(statusHandle, &serviceStatus) != FALSE;
    if (!reported) LogServiceError("SetServiceStatus");
    return reported;
}

DWORD CurrentServiceState() { return serviceStatus.dwCurrentState; }

DWORD LastLoggedError() { return lastLoggedError; }

void LogServiceError(const char* text) {
    if (DebugMode) return;
    lastLoggedError = GetLastError();
    HANDLE source = RegisterEventSourceA(nullptr, ServiceName);
    if (source == nullptr) return;
    char line[100];
    std::snprintf(line, sizeof line, "%s error: %d", ServiceName, static_cast<int>(lastLoggedError));
    const char* strings[] = {line, text};
    ReportEventA(source, EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 2, 0, strings, nullptr);
    DeregisterEventSource(source);
}
