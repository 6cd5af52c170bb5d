#include "hotkey_service/app/pressmon_app.h"

#include "hotkey_service/device/hotkey_device.h"
#include "hotkey_service/device/hotkey_worker.h"
#include "hotkey_service/service/service_status.h"

void WINAPI ServiceMain(DWORD argc, char** argv) {
    if (!RegisterServiceStatus(ServiceControlHandler)) return;
    if (ReportServiceStatus(SERVICE_START_PENDING, NO_ERROR, PendingWaitHint)) HotkeyWorker(argc, argv);
    // A worker ended by a stop request leaves the final report to the control
    // handler, which makes it once the worker's handles are closed.
    const DWORD state = CurrentServiceState();
    if (state != SERVICE_STOP_PENDING && state != SERVICE_STOPPED)
        ReportServiceStatus(SERVICE_STOPPED, LastLoggedError(), 0);
}

void WINAPI ServiceControlHandler(DWORD control) {
    if (control != SERVICE_CONTROL_STOP) {
        ReportServiceStatus(CurrentServiceState(), NO_ERROR, 0);
        return;
    }
    ReportServiceStatus(SERVICE_STOP_PENDING, NO_ERROR, PendingWaitHint);
    // The driver lets go of the keys first; while it refuses, the service
    // stays stop-pending. A worker that never opened the device, or that has
    // returned, holds no keys: the stop goes through.
    const bool holdsKeys = HotkeyDeviceIsOpen() && !HotkeyWorkerReturned();
    if (holdsKeys && !SendHotkeyRelease()) return;
    ReportServiceStatus(SERVICE_STOP_PENDING, NO_ERROR, PendingWaitHint);
    StopWorker();
    ReportServiceStatus(SERVICE_STOPPED, NO_ERROR, 0);
}
