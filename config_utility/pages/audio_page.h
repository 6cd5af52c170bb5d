// The Audio page: no setting, two buttons for the sound control panels.
#pragma once

#include "config_utility/pages/device_page.h"

class CAudioPage final : public CDevicePage {
public:
    explicit CAudioPage(MerovantContext& context);
};
