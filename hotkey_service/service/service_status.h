// The service's status record, its reports to the service control manager
// and its error log. Shared by the dispatcher's threads without a lock.
#pragma once

#include <windows.h>

// Set by the debug command: nothing is then reported or logged.
extern bool DebugMode;

// Registers the control handler; false when the manager refuses.
bool RegisterServiceStatus(LPHANDLER_FUNCTION handler);

// The wait hint of every pending report.
inline constexpr DWORD PendingWaitHint = 3000;

bool ReportServiceStatus(DWORD state, DWORD exitCode, DWORD waitHint);
DWORD CurrentServiceState();

// The Win32 error that LogServiceError last saw, 0 until then.
DWORD LastLoggedError();

// Writes one error event for the calling thread's last error.
void LogServiceError(const char* text);
