// The Customize page: whether the tray launcher and the fuel gauge run, at
// logon (a Startup-folder shortcut and CUTray/FGTray) and now (started or
// ended on OK).
#pragma once

#include "config_utility/pages/device_page.h"

class CCustomizePage final : public CDevicePage {
public:
    explicit CCustomizePage(MerovantContext& context);

    static constexpr int kRows = 2;

private:
    void AfterRead() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool WriteMore() override;
    // Ends the tray launcher whose window ("Taskbar") is window.
    void EndTrayLauncher(HWND window);

    bool wanted_[kRows] = {};
    bool changed_[kRows] = {};
};
