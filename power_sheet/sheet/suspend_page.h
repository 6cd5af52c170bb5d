// The Suspend/Resume Options page: staying awake with the lid closed,
// suspending while docked, and the resume timer that wakes the machine at a
// time on one date or every day.
#pragma once

#include <cstdint>

#include "power_sheet/core/resume_timer.h"
#include "power_sheet/sheet/power_page.h"

class CSuspend final : public CPowerPage {
public:
    explicit CSuspend(CorvessaContext context);

private:
    void OnInitPage() override;
    bool OnPageCommand(int id, int code, HWND control) override;
    void OnApply() override;

    void EnableTimer(bool enabled);
    void EnableDate(bool enabled);
    // Fits the day's range to the month and year shown; lowerDay also brings
    // a day beyond it down to the month's last.
    void FitDayToMonth(bool lowerDay);
    void AttachTimeArrows(int field);

    std::uint8_t lcdFlag_ = 0;
    std::uint8_t dockedFlag_ = 0;
    LastValidTime lastValid_;
    bool restoring_ = false;
};
