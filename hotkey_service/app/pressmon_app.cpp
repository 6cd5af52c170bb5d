#include "hotkey_service/app/pressmon_app.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "hotkey_service/core/pressmon_options.h"
#include "hotkey_service/device/hotkey_device.h"
#include "hotkey_service/device/hotkey_worker.h"
#include "hotkey_service/service/service_installer.h"
#include "hotkey_service/service/service_names.h"
#include "hotkey_service/service/service_status.h"
#include "hotkey_service/shell/pressmon_context.h"

namespace {

// The state of the running service, owned by RunPressmon and handed down to
// the worker as references.
struct PressmonService {
    explicit PressmonService(PressmonShell& shell) : context(shell), worker(context, status, device) {}

    PressmonContext context;
    ServiceStatus status;
    HotkeyDevice device;
    HotkeyWorker worker;
};

// The dispatcher's and the console's callbacks carry no parameter of the
// program's: they reach its service through this pointer, which RunPressmon
// sets before anything can call them.
PressmonService* runningService = nullptr;

void WINAPI ServiceControlHandler(DWORD control) {
    PressmonService& service = *runningService;
    if (control != SERVICE_CONTROL_STOP) {
        service.status.Report(service.status.CurrentState(), NO_ERROR, 0);
        return;
    }
    service.status.Report(SERVICE_STOP_PENDING, NO_ERROR, kPendingWaitHint);
    // The driver lets go of the keys first; while it refuses, the service
    // stays stop-pending. A worker that never opened the device, or that has
    // returned, holds no keys: the stop goes through.
    const bool holdsKeys = service.device.IsOpen() && !service.worker.Returned();
    if (holdsKeys && !service.device.SendRelease()) return;
    service.status.Report(SERVICE_STOP_PENDING, NO_ERROR, kPendingWaitHint);
    service.worker.Stop();
    service.status.Report(SERVICE_STOPPED, NO_ERROR, 0);
}

void WINAPI ServiceMain(DWORD, char**) {
    PressmonService& service = *runningService;
    if (!service.status.Register(ServiceControlHandler)) return;
    if (service.status.Report(SERVICE_START_PENDING, NO_ERROR, kPendingWaitHint)) service.worker.Run();
    // A worker ended by a stop request leaves the final report to the control
    // handler, which makes it once the worker's handles are closed.
    const DWORD state = service.status.CurrentState();
    if (state != SERVICE_STOP_PENDING && state != SERVICE_STOPPED)
        service.status.Report(SERVICE_STOPPED, service.status.LastLoggedError(), 0);
}

BOOL WINAPI ConsoleControlHandler(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    std::printf("Stopping %s.\n", kServiceDisplayName);
    std::fflush(stdout);
    runningService->worker.Stop();
    return TRUE;
}

// The worker in the console, stopped with Ctrl+C or Ctrl+Break; nothing is
// reported to the service control manager or logged.
void DebugService(PressmonService& service) {
    service.status.EnterDebugMode();
    std::printf("Debugging %s.\n", kServiceDisplayName);
    std::fflush(stdout);
    SetConsoleCtrlHandler(ConsoleControlHandler, TRUE);
    service.worker.Run();
}

// The usage, then the service handed to the service control manager, which
// calls ServiceMain on a thread of its own.
void RunUnderDispatcher(PressmonService& service) {
    std::printf("%s -install          to install the service\n", kProgramName);
    std::printf("%s -remove           to remove the service\n", kProgramName);
    std::printf("%s -debug <params>   to run as a console app for debugging\n", kProgramName);
    std::printf("\nStartServiceCtrlDispatcher being called.\n");
    std::printf("This may take several seconds.  Please wait.\n");
    std::fflush(stdout);
    char serviceName[sizeof kServiceName];
    std::memcpy(serviceName, kServiceName, sizeof kServiceName);
    const SERVICE_TABLE_ENTRYA dispatchTable[] = {{serviceName, ServiceMain}, {nullptr, nullptr}};
    if (!StartServiceCtrlDispatcherA(dispatchTable)) service.status.LogError("StartServiceCtrlDispatcher failed.");
}

}  // namespace

int RunPressmon(int argc, char** argv, PressmonShell& shell) {
    // It outlives RunPressmon: when the dispatcher returns, the service's own
    // thread may still be making its last report, and when the debug run
    // ends, the console's handler thread may still be closing the device.
    static PressmonService service(shell);
    runningService = &service;
    switch (ParsePressmonCommand(argc, argv)) {
    case PressmonCommand::Install:
        InstallService();
        break;
    case PressmonCommand::Remove:
        RemoveService();
        break;
    case PressmonCommand::Debug:
        DebugService(service);
        break;
    case PressmonCommand::Dispatch:
        RunUnderDispatcher(service);
        break;
    }
    return 0;
}
