#include "fuel_gauge/app/fuel_app.h"

#include "common/win32/configuration_key.h"
#include "common/win32/load_string.h"
#include "fuel_gauge/tray/fuel_window.h"
#include "machine_control/core/machine_operations.h"
#include "machine_control/core/smi_channel.h"
#include "resources/fuel/resource.h"

namespace {

// The exit steps once FGTray says "1": it says "0" again however the run ends.
class TrayValueReset {
public:
    TrayValueReset() = default;
    ~TrayValueReset() {
        ConfigurationKey key;
        if (key.Open()) key.WriteString(kFuelTrayValue, "0");
    }
    TrayValueReset(const TrayValueReset&) = delete;
    TrayValueReset& operator=(const TrayValueReset&) = delete;
};

bool MarkRunning() {
    ConfigurationKey key;
    return key.Open() && key.WriteString(kFuelTrayValue, "1");
}

// A second start shows a hidden gauge or hides a shown one.
void ToggleRunningGauge(HWND running) {
    if (IsWindowVisible(running)) {
        ShowWindow(running, SW_HIDE);
        return;
    }
    ShowWindow(running, SW_SHOWNORMAL);
    SetForegroundWindow(running);
}

}  // namespace

int RunFuel(HINSTANCE instance, FuelShell& shell) {
    MachineControlSession channel;
    SetBIOSforPwrMgrSupport(1);  // the result does not matter
    // FGTray belongs to the gauge that runs: a second start leaves it alone.
    if (HWND running = FindWindowA(kDialogClass, LoadStr(IDS_FUEL_TITLE).c_str())) {
        ToggleRunningGauge(running);
        return 0;
    }
    if (!MarkRunning()) return 0;
    TrayValueReset exitSteps;

    CFuelWindow window(instance, shell);
    window.DoModal(instance, nullptr);
    return 0;
}
