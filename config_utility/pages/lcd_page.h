// The LCD page: screen blanking, brightness on battery and screen expansion,
// and the display control panel.
#pragma once

#include "config_utility/pages/device_page.h"

class CLcdPage final : public CDevicePage {
public:
    explicit CLcdPage(MerovantContext& context);
};
