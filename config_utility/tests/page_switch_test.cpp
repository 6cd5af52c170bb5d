// The page switches as taskbar, Panelora and people type them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config_utility/core/page_switch.h"

namespace {

struct Case {
    std::vector<const char*> arguments;
    PageNumber page;
};

TEST(PageSwitch, ReadsKeywordsNumbersAndTheLastSwitch) {
    const Case cases[] = {
        {{"/11"}, kPageLcd},
        {{"/LCD"}, kPageLcd},
        {{"-lcd"}, kPageLcd},
        {{"/Sysinfo"}, kPageSystemInformation},
        {{"-PcCard"}, kPagePcCardSlots},
        {{"/pci"}, kPagePciDeviceSetup},
        {{"/help"}, kPageHelp},
        {{"/MIDI"}, kPageMidi},
        {{"/1"}, kPageGlidenub},
        {{"/16"}, kMainWindow},
        {{}, kMainWindow},
        {{"document.mrv"}, kMainWindow},
        {{"/0"}, kNoPage},
        {{"/17"}, kNoPage},
        {{"/abc"}, kNoPage},
        {{"/"}, kNoPage},
        {{"/-3"}, kNoPage},
        {{"/99999999999999999999"}, kNoPage},
        // atoi stops at the first non-digit; a keyword must match whole.
        {{"/5x"}, kPageParallelPort},
        {{"/ 7"}, kPageModem},
        {{"/LCDX"}, kNoPage},
        {{"/LC"}, kNoPage},
        // The last switch wins, also over a valid earlier one.
        {{"/11", "-2"}, kPageAudio},
        {{"/11", "/abc"}, kNoPage},
        {{"/abc", "file", "/power"}, kPagePower},
        {{"/3", "notaswitch"}, kPageInfrared},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const char* a : c.arguments) shown += std::string(a) + " ";
        EXPECT_EQ(ParsePageSwitches(c.arguments.size(), c.arguments.data()), c.page) << shown;
    }
}

}  // namespace
