#include <gtest/gtest.h>

#include <string>

#include "hotkey_service/core/launch_key.h"

TEST(BuildLaunchKeyPath, AppendsBackslashAndDigitWhenItFits) {
    char path[kLaunchValueSize] = "unchanged";
    ASSERT_TRUE(BuildLaunchKeyPath("SOFTWARE\\Merovant\\Hotkey", '3', path));
    EXPECT_STREQ(path, "SOFTWARE\\Merovant\\Hotkey\\3");

    const std::string longest(77, 'k');
    ASSERT_TRUE(BuildLaunchKeyPath(longest.c_str(), '9', path));
    EXPECT_EQ(std::string(path), longest + "\\9");
}

TEST(BuildLaunchKeyPath, RefusesAKeyWithNoRoomForTheDigit) {
    char path[kLaunchValueSize] = "unchanged";
    const std::string tooLong(78, 'k');
    EXPECT_FALSE(BuildLaunchKeyPath(tooLong.c_str(), '1', path));
    EXPECT_STREQ(path, "unchanged");
}

TEST(IsImmediateTag, MatchesImmediateInAnyCaseOnly) {
    for (const char* tag : {"IMMEDIATE", "immediate", "ImMeDiAtE"}) EXPECT_TRUE(IsImmediateTag(tag)) << tag;
    for (const char* tag : {"", "IMMEDIAT", "IMMEDIATELY", "INDIRECT", " IMMEDIATE"})
        EXPECT_FALSE(IsImmediateTag(tag)) << tag;
}
