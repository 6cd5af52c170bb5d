#include "fuel_gauge/core/fuel_tooltip.h"

std::string ExpandPercent(const std::string& format, unsigned percent) {
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 'd') {
                text += std::to_string(percent);
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                text += '%';
                ++i;
                continue;
            }
        }
        text += format[i];
    }
    return text;
}

std::string BuildTooltip(const std::string& prefix, const std::string& suffix) {
    std::string tip = prefix + suffix;
    if (tip.size() > kFuelTooltipMax) tip.resize(kFuelTooltipMax);
    return tip;
}
