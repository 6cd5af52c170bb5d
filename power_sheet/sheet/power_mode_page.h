// The Power Mode page: the power mode of each power source, the one customized
// set of timers and processor speed, and the CD-ROM speed.
#pragma once

#include "power_sheet/core/power_mode_rules.h"
#include "power_sheet/sheet/power_page.h"

class CPowerMode final : public CPowerPage {
public:
    explicit CPowerMode(CorvessaContext context);

    const PowerModeSettings& settings() const { return settings_; }

private:
    void OnInitPage() override;
    bool OnPageCommand(int id, int code, HWND control) override;
    void OnApply() override;

    void FillLists();
    void ReadMachine();
    // The source list's choice: 0 AC, 1 battery.
    bool ShowingBattery() const;
    void ShowSource(bool battery);
    void ShowMode(std::uint8_t mode);
    void CheckModeButton(std::uint8_t mode);

    PowerModeSettings settings_;
};
