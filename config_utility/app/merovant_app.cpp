#include "config_utility/app/merovant_app.h"

#include "common/win32/load_string.h"
#include "common/win32/unique_handle.h"
#include "config_utility/core/page_switch.h"
#include "config_utility/frame/main_frame.h"
#include "config_utility/pages/page_commands.h"
#include "machine_control/core/smi_channel.h"
#include "resources/merovant/resource.h"

void ActivateRunningInstance() {
    HWND running = FindWindowA(nullptr, LoadStr(IDS_APP_TITLE).c_str());
    if (running == nullptr) return;
    ShowWindow(running, SW_SHOWNORMAL);
    SetForegroundWindow(running);
}

int RunMerovant(HINSTANCE instance, std::size_t count, const char* const* arguments, int showCommand,
                MerovantShell& shell) {
    MachineControlSession channel;

    UniqueKernelHandle marker(CreateMutexA(nullptr, TRUE, kMerovantMutex));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ActivateRunningInstance();
        return 0;
    }

    MerovantContext context{instance, shell, {}, {}};
    ReadConfigurationValue("HelpPath", context.helpPath);
    ReadConfigurationValue("Power", context.power);

    const PageNumber page = ParsePageSwitches(count, arguments);
    if (page != kMainWindow) {
        OpenPage(context, page);
        return 0;
    }

    CMainFrame frame(context);
    frame.EndLoopWhenDestroyed();
    if (!frame.Create(showCommand)) return 1;
    // The frame's end posts WM_QUIT, also when a WM_CLOSE sent from another
    // program destroys it inside GetMessageA.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
