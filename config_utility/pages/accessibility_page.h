// The Accessibility Options page: the Fn key lock, and the Windows
// accessibility control panel.
#pragma once

#include "config_utility/pages/device_page.h"

class CAccessibilityPage final : public CDevicePage {
public:
    explicit CAccessibilityPage(MerovantContext& context);
};
