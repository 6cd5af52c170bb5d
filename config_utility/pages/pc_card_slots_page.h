// The PC Card Slots page: no setting, a button for the PC Card control panel.
#pragma once

#include "config_utility/pages/device_page.h"

class CPcCardSlotsPage final : public CDevicePage {
public:
    explicit CPcCardSlotsPage(MerovantContext& context);
};
