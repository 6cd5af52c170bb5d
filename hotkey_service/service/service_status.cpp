#include "hotkey_service/service/service_status.h"

#include <cstdio>

#include "hotkey_service/core/status_rules.h"
#include "hotkey_service/service/service_names.h"

static_assert(kServiceStopped == SERVICE_STOPPED && kServiceStartPending == SERVICE_START_PENDING &&
              kServiceStopPending == SERVICE_STOP_PENDING && kServiceRunning == SERVICE_RUNNING &&
              kServiceAcceptStop == SERVICE_ACCEPT_STOP);

bool ServiceStatus::Register(LPHANDLER_FUNCTION handler) {
    handle_ = RegisterServiceCtrlHandlerA(kServiceName, handler);
    if (handle_ == nullptr) return false;
    record_.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    record_.dwServiceSpecificExitCode = 0;
    return true;
}

bool ServiceStatus::Report(DWORD state, DWORD exitCode, DWORD waitHint) {
    if (debugMode_) return true;
    const StatusFields fields = NextStatusFields(state, checkPointCounter_);
    record_.dwControlsAccepted = fields.controlsAccepted;
    record_.dwCurrentState = state;
    record_.dwWin32ExitCode = exitCode;
    record_.dwWaitHint = waitHint;
    record_.dwCheckPoint = fields.checkPoint;
    const bool reported = SetServiceStatus(handle_, &record_) != FALSE;
    if (!reported) LogError("SetServiceStatus");
    return reported;
}

void ServiceStatus::LogError(const char* text) {
    if (debugMode_) return;
    lastLoggedError_ = GetLastError();
    HANDLE source = RegisterEventSourceA(nullptr, kServiceName);
    if (source == nullptr) return;
    char line[100];
    std::snprintf(line, sizeof line, "%s error: %d", kServiceName, static_cast<int>(lastLoggedError_));
    const char* strings[] = {line, text};
    ReportEventA(source, EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 2, 0, strings, nullptr);
    DeregisterEventSource(source);
}
