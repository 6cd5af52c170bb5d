// The Hibernation Options page: the machine's hibernation triggers (one byte
// of flags and a timer code) and the button that starts the save-to-disk
// utility, which makes or removes the hibernation file.
#pragma once

#include <cstdint>

#include "power_sheet/sheet/power_page.h"

class CHiberation final : public CPowerPage {
public:
    explicit CHiberation(CorvessaContext context);

private:
    void OnInitPage() override;
    bool OnPageCommand(int id, int code, HWND control) override;
    void OnApply() override;

    // The minutes list: "0", "30", "60", "90" while "Hibernate" is clear, and
    // without "0" while it is checked.
    void ShowMinutesForHibernate(bool hibernate);
    void StartHibernationUtility();

    std::uint8_t flags_ = 0;
    std::uint8_t timerCode_ = 0;
};
