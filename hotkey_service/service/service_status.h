// The service's status record, its reports to the service control manager and
// its error log. Shared by the dispatcher's threads without a lock.
#pragma once

#include <windows.h>

#include <cstdint>

// The wait hint of every pending report.
inline constexpr DWORD kPendingWaitHint = 3000;

class ServiceStatus {
public:
    // The debug run: nothing is reported or logged from then on.
    void EnterDebugMode() { debugMode_ = true; }

    // Registers the control handler; false when the manager refuses.
    bool Register(LPHANDLER_FUNCTION handler);

    bool Report(DWORD state, DWORD exitCode, DWORD waitHint);
    DWORD CurrentState() const { return record_.dwCurrentState; }

    // The Win32 error that LogError last saw, 0 until then.
    DWORD LastLoggedError() const { return lastLoggedError_; }

    // Writes one error event for the calling thread's last error.
    void LogError(const char* text);

private:
    SERVICE_STATUS record_ = {SERVICE_WIN32_OWN_PROCESS, SERVICE_STOPPED, 0, NO_ERROR, 0, 0, 0};
    SERVICE_STATUS_HANDLE handle_ = nullptr;
    std::uint32_t checkPointCounter_ = 1;
    DWORD lastLoggedError_ = 0;
    bool debugMode_ = false;
};
