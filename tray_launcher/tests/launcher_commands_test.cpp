// Every entry of the tray menu reaches the merovant page it names: the switch
// it sends, read by merovant's own parser.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config_utility/core/page_switch.h"
#include "resources/taskbar/resource.h"
#include "tray_launcher/core/launcher_commands.h"

namespace {

TEST(LauncherCommands, EachEntryOpensThePageItNames) {
    const struct {
        unsigned command;
        PageNumber page;
    } expected[] = {
        {ID_TRAY_GLIDENUB, kPageGlidenub},
        {ID_TRAY_AUDIO, kPageAudio},
        {ID_TRAY_INFRARED, kPageInfrared},
        {ID_TRAY_PARALLEL_PORT, kPageParallelPort},
        {ID_TRAY_SERIAL_PORT, kPageSerialPort},
        {ID_TRAY_MODEM, kPageModem},
        {ID_TRAY_PCI_DEVICE_SETUP, kPagePciDeviceSetup},
        {ID_TRAY_PC_CARD_SLOTS, kPagePcCardSlots},
        {ID_TRAY_POWER_SETTINGS, kPagePower},
        {ID_TRAY_LCD, kPageLcd},
        {ID_TRAY_ACCESSIBILITY, kPageAccessibility},
        {ID_TRAY_SYSTEM_INFORMATION, kPageSystemInformation},
        {ID_TRAY_HELP, kPageHelp},
        {ID_TRAY_OPEN, kMainWindow},
    };
    for (const auto& row : expected) {
        const LauncherCommand* command = FindLauncherCommand(row.command);
        ASSERT_NE(command, nullptr) << row.command;
        ASSERT_NE(command->pageSwitch, nullptr) << row.command;
        // merovant sees the words after its own path; the switch carries its blank.
        ASSERT_EQ(command->pageSwitch[0], ' ') << row.command;
        const char* argument = command->pageSwitch + 1;
        EXPECT_EQ(ParsePageSwitches(1, &argument), row.page) << row.command;
    }
    const LauncherCommand* display = FindLauncherCommand(ID_TRAY_EXTERNAL_DISPLAY);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(LauncherCommandLine(*display, "C:\\merovant.exe"),
              "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3");
    EXPECT_EQ(FindLauncherCommand(ID_TRAY_DISABLE), nullptr);
}

TEST(LauncherCommands, TheLineIsTheProgramFollowedDirectlyByTheSwitch) {
    const LauncherCommand* access = FindLauncherCommand(ID_TRAY_ACCESSIBILITY);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(LauncherCommandLine(*access, "C:\\Program Files\\Merovant\\merovant.exe"),
              "C:\\Program Files\\Merovant\\merovant.exe /13");
    EXPECT_EQ(LauncherCommandLine(*access, ""), " /13");
    // The longest value the key gives (255 characters) keeps all of it.
    const std::string longest(255, 'x');
    EXPECT_EQ(LauncherCommandLine(*access, longest.c_str()), longest + " /13");
}

}  // namespace
