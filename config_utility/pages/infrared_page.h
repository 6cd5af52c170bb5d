// The Infrared page: the infrared port on or off.
#pragma once

#include "config_utility/pages/device_page.h"

class CInfraredPage final : public CDevicePage {
public:
    explicit CInfraredPage(MerovantContext& context);
};
