// Resource and command ids of taskbar, shared by the .rc files and the code.
// Plain #defines only: windres reads this file too.
#pragma once

#include "art_resource.h"  // IDI_TASKBAR_TRAY 129

// The hidden main dialog that owns the tray icon.
#define IDD_TASKBAR 102

// Menus: the right-click menu and the left-click menu of the tray icon.
#define IDR_TRAY_RIGHT_MENU 130
#define IDR_TRAY_LEFT_MENU 131

// Right-click menu.
#define ID_TRAY_DISABLE 32771
// Left-click menu: Device Configuration.
#define ID_TRAY_GLIDENUB 32774
#define ID_TRAY_AUDIO 32775
#define ID_TRAY_INFRARED 32776
#define ID_TRAY_PARALLEL_PORT 32778
#define ID_TRAY_SERIAL_PORT 32779
#define ID_TRAY_MODEM 32780
#define ID_TRAY_PCI_DEVICE_SETUP 32781
#define ID_TRAY_PC_CARD_SLOTS 32782
// Power Management, Display, Options, Help.
#define ID_TRAY_POWER_SETTINGS 32783
#define ID_TRAY_LCD 32784
#define ID_TRAY_EXTERNAL_DISPLAY 32785
#define ID_TRAY_ACCESSIBILITY 32786
#define ID_TRAY_SYSTEM_INFORMATION 32787
#define ID_TRAY_HELP 32788
// After the separator.
#define ID_TRAY_OPEN 32789

// Strings.
#define IDS_TRAY_TIP 2
#define IDS_TRAY_DISABLE 3
#define IDS_MENU_DEVICE_CONFIGURATION 4
#define IDS_MENU_POWER_MANAGEMENT 5
#define IDS_MENU_DISPLAY 6
#define IDS_MENU_OPTIONS 7
#define IDS_MENU_HELP 8
#define IDS_MENU_OPEN 9
#define IDS_MENU_GLIDENUB 11
#define IDS_MENU_AUDIO 12
#define IDS_MENU_INFRARED 13
#define IDS_MENU_JOYSTICK_PORT 14
#define IDS_MENU_PARALLEL_PORT 15
#define IDS_MENU_SERIAL_PORT 16
#define IDS_MENU_MODEM 17
#define IDS_MENU_PCI_DEVICE_SETUP 18
#define IDS_MENU_PC_CARD_SLOTS 19
#define IDS_MENU_POWER_SETTINGS 20
#define IDS_MENU_LCD 21
#define IDS_MENU_EXTERNAL_DISPLAY 22
#define IDS_MENU_ACCESSIBILITY 23
#define IDS_MENU_SYSTEM_INFORMATION 24
#define IDS_MENU_HELP_TOPICS 25
#define IDS_TASKBAR_TITLE 26
// "Program" names nothing that can be started.
#define IDS_PROGRAM_UNUSABLE 60
