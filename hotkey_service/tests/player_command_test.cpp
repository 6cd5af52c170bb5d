#include <gtest/gtest.h>

#include <string>

#include "hotkey_service/core/player_command.h"

TEST(CutAfterExe, CutsJustAfterTheFirstExeInAnyCase) {
    const struct {
        const char* line;
        const char* cut;
    } cases[] = {
        {"C:\\AUDIO\\RACK.EXE /play \"%1\"", "C:\\AUDIO\\RACK.EXE"},
        {"c:\\player\\rack.exe %1", "c:\\player\\rack.exe"},
        {"C:\\Tools\\eexe.exe", "C:\\Tools\\eexe"},  // doubled e before the x
        {"C:\\Sound\\ExE", "C:\\Sound\\ExE"},
        {"C:\\Sound\\player.ex", "C:\\Sound\\player.ex"},  // no "exe": stays whole
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string line = c.line;
        CutAfterExe(line.data());
        EXPECT_STREQ(line.c_str(), c.cut) << c.line;
    }
}
