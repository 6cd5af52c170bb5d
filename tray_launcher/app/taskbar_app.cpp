#include "tray_launcher/app/taskbar_app.h"

#include "common/win32/configuration_key.h"
#include "common/win32/unique_handle.h"
#include "machine_control/core/smi_channel.h"
#include "tray_launcher/tray/taskbar_dialog.h"

namespace {

// taskbar sends no requests; it holds the channel open while it runs and
// closes it on every way out.
class MachineControlSession {
public:
    MachineControlSession() { OpenMachineControl(); }  // the result does not matter
    ~MachineControlSession() { CloseMachineControl(); }
    MachineControlSession(const MachineControlSession&) = delete;
    MachineControlSession& operator=(const MachineControlSession&) = delete;
};

// Records the running copy: its process id, and that the tray icon is wanted.
bool RecordRunningCopy() {
    ConfigurationKey key;
    if (!key.Open()) return false;
    key.WriteDword("TaskBarId", GetCurrentProcessId());
    return key.WriteString("CUTray", "1");
}

}  // namespace

int RunTaskbar(HINSTANCE instance, TaskbarShell& shell) {
    MachineControlSession channel;

    UniqueKernelHandle marker(CreateMutexA(nullptr, TRUE, kTaskbarMutex));
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

    if (!RecordRunningCopy()) return 0;

    CTaskbarDialog dialog(instance, shell);
    dialog.DoModal(instance, nullptr);
    return 0;
}
