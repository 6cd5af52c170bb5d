// The Glidenub page: the pointing stick on or off, and the mouse control panel.
#pragma once

#include "config_utility/pages/device_page.h"

class CGlidenubPage final : public CDevicePage {
public:
    explicit CGlidenubPage(MerovantContext& context);
};
