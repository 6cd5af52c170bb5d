#include "hotkey_service/core/error_text.h"
#include "hotkey_service/core/status_rules.h"

#include <gtest/gtest.h>

#include <string>

TEST(FormatErrorText, DropsTheLineEndAndAddsTheCode) {
    char out[ErrorTextSize];
    FormatErrorText("Access denied.\r\n", 5, out);
    EXPECT_STREQ(out, "Access denied. (0x5)");
    FormatErrorText("The specified service does not exist as an installed service.\r\n", 0x424, out);
    EXPECT_STREQ(out, "The specified service does not exist as an installed service. (0x424)");
}

TEST(FormatErrorText, EmptyWithoutTextOrRoom) {
    char out[ErrorTextSize] = "x";
    FormatErrorText(nullptr, 5, out);
    EXPECT_STREQ(out, "");
    const std::string fits(ErrorTextSize - 14, 'a');
    FormatErrorText(fits.c_str(), 0xFFFFFFFFu, out);
    EXPECT_EQ(std::string(out), std::string(fits.size() - 2, 'a') + " (0xffffffff)");
    const std::string tooLong(ErrorTextSize - 13, 'a');
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
        {ServiceStartPending, 0, 1}, {ServiceStartPending, 0, 2}, {ServiceRunning, ServiceAcceptStop, 0},
        {ServiceStopPending, ServiceAcceptStop, 3}, {ServiceStopPending, ServiceAcceptStop, 4},
        {ServiceStopped, ServiceAcceptStop, 0},
    };
    for (const auto& step : run) {
        const StatusFields fields = NextStatusFields(step.state, &counter);
        EXPECT_EQ(fields.controlsAccepted, step.accepted) << step.state;
        EXPECT_EQ(fields.checkPoint, step.checkPoint) << step.state;
    }
}
