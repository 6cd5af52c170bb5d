#include <gtest/gtest.h>

#include <string>

#include "hotkey_service/core/error_text.h"
#include "hotkey_service/core/status_rules.h"

TEST(FormatErrorText, DropsTheLineEndAndAddsTheCode) {
    char out[kErrorTextSize];
    FormatErrorText("Access denied.\r\n", 5, out);
    EXPECT_STREQ(out, "Access denied. (0x5)");
    FormatErrorText("The specified service does not exist as an installed service.\r\n", 0x424, out);
    EXPECT_STREQ(out, "The specified service does not exist as an installed service. (0x424)");
}

TEST(FormatErrorText, EmptyWithoutTextOrRoom) {
    char out[kErrorTextSize] = "x";
    FormatErrorText(nullptr, 5, out);
    EXPECT_STREQ(out, "");
    const std::string fits(kErrorTextSize - 14, 'a');
    FormatErrorText(fits.c_str(), 0xFFFFFFFFu, out);
    EXPECT_EQ(std::string(out), std::string(fits.size() - 2, 'a') + " (0xffffffff)");
    const std::string tooLong(kErrorTextSize - 13, 'a');
    FormatErrorText(tooLong.c_str(), 5, out);
    EXPECT_STREQ(out, "");
}

TEST(NextStatusFields, PendingStatesCountAndOnlyStartPendingRefusesStop) {
    std::uint32_t counter = 1;
    const struct {
        std::uint32_t state;
        std::uint32_t accepted;
        std::uint32_t checkPoint;
    } run[] = {
        {kServiceStartPending, 0, 1}, {kServiceStartPending, 0, 2}, {kServiceRunning, kServiceAcceptStop, 0},
        {kServiceStopPending, kServiceAcceptStop, 3}, {kServiceStopPending, kServiceAcceptStop, 4},
        {kServiceStopped, kServiceAcceptStop, 0},
    };
    for (const auto& step : run) {
        const StatusFields fields = NextStatusFields(step.state, counter);
        EXPECT_EQ(fields.controlsAccepted, step.accepted) << step.state;
        EXPECT_EQ(fields.checkPoint, step.checkPoint) << step.state;
    }
}
