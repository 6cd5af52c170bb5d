#include "tray_launcher/core/launcher_commands.h"

#include "resources/taskbar/resource.h"

// The Display control panel on its Settings tab, as merovant starts it too.
static constexpr char kDisplayControlPanel[] = "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3";

// /4 (the joystick port) and /12 (merovant's own way to the Display control
// panel) have no entry here.
const LauncherCommand kLauncherCommands[15] = {
    {ID_TRAY_GLIDENUB, IDS_MENU_GLIDENUB, " /1", nullptr},
    {ID_TRAY_AUDIO, IDS_MENU_AUDIO, " /2", nullptr},
    {ID_TRAY_INFRARED, IDS_MENU_INFRARED, " /3", nullptr},
    {ID_TRAY_PARALLEL_PORT, IDS_MENU_PARALLEL_PORT, " /5", nullptr},
    {ID_TRAY_SERIAL_PORT, IDS_MENU_SERIAL_PORT, " /6", nullptr},
    {ID_TRAY_MODEM, IDS_MENU_MODEM, " /7", nullptr},
    {ID_TRAY_PCI_DEVICE_SETUP, IDS_MENU_PCI_DEVICE_SETUP, " /8", nullptr},
    {ID_TRAY_PC_CARD_SLOTS, IDS_MENU_PC_CARD_SLOTS, " /9", nullptr},
    {ID_TRAY_POWER_SETTINGS, IDS_MENU_POWER_SETTINGS, " /10", nullptr},
    {ID_TRAY_LCD, IDS_MENU_LCD, " /11", nullptr},
    {ID_TRAY_EXTERNAL_DISPLAY, IDS_MENU_EXTERNAL_DISPLAY, nullptr, kDisplayControlPanel},
    {ID_TRAY_ACCESSIBILITY, IDS_MENU_ACCESSIBILITY, " /13", nullptr},
    {ID_TRAY_SYSTEM_INFORMATION, IDS_MENU_SYSTEM_INFORMATION, " /14", nullptr},
    {ID_TRAY_HELP, IDS_MENU_HELP_TOPICS, " /15", nullptr},
    {ID_TRAY_OPEN, IDS_MENU_OPEN, " /16", nullptr},
};

const unsigned kLauncherSubmenuTextIds[5] = {
    IDS_MENU_DEVICE_CONFIGURATION, IDS_MENU_POWER_MANAGEMENT, IDS_MENU_DISPLAY, IDS_MENU_OPTIONS, IDS_MENU_HELP,
};

const LauncherCommand* FindLauncherCommand(unsigned command) {
    for (const LauncherCommand& entry : kLauncherCommands)
        if (entry.command == command) return &entry;
    return nullptr;
}

std::string LauncherCommandLine(const LauncherCommand& command, const char* program) {
    if (command.fixedLine != nullptr) return command.fixedLine;
    return std::string(program) + command.pageSwitch;
}
