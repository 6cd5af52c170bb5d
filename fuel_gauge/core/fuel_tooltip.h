// The texts the gauge builds: the percentage and the tray tooltip.
#pragma once

#include <cstddef>
#include <string>

// The longest tooltip the tray of Windows 4.0 keeps (64 bytes with the
// terminator).
inline constexpr std::size_t kFuelTooltipMax = 63;

// format with "%d" replaced by percent and "%%" by "%"; any other "%" is
// copied as it stands, so a translated text can never read arguments that
// are not there.
std::string ExpandPercent(const std::string& format, unsigned percent);

// prefix followed by suffix, cut to kFuelTooltipMax characters.
std::string BuildTooltip(const std::string& prefix, const std::string& suffix);
