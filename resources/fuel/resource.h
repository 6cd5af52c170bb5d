// Resource, control and command ids of fuel, shared by the .rc files and the
// code. Plain #defines only: windres reads this file too. The icons and
// bitmaps are in art_resource.h.
#pragma once

#include "art_resource.h"

// Dialogs and the tray menu.
#define IDD_FUEL 102
#define IDR_FUEL_TRAY_MENU 102
#define IDD_FUEL_ABOUT 165

// Controls of the gauge window.
#define IDC_FUEL_SUSPEND 1000
#define IDC_FUEL_HIBERNATE 1001
#define IDC_FUEL_BATTERY 1003
#define IDC_FUEL_MODE 1004
#define IDC_FUEL_PERCENT 1010
#define IDC_FUEL_FRAME 1011    // the black frame, drawn by the window

// Controls of the About box (its button is IDOK).
#define IDC_ABOUT_ICON 1006
#define IDC_ABOUT_PRODUCT 1007
#define IDC_ABOUT_APPLICATION 1008
#define IDC_ABOUT_VERSION 1009

// Commands added to the window's system menu.
#define IDM_FUEL_SYS_ABOUT 16
#define IDM_FUEL_SYS_HELP 32

// Commands of the tray menu.
#define ID_FUEL_ABOUT 57664
#define ID_FUEL_HELP 32778
#define ID_FUEL_CLOSE 32779
#define ID_FUEL_RESTORE 32780

// Strings.
#define IDS_FUEL_SYS_ABOUT 1
#define IDS_FUEL_SYS_HELP 2
#define IDS_FUEL_CONFIRM_SUSPEND 3
#define IDS_FUEL_CONFIRM_HIBERNATE 4
#define IDS_FUEL_INFORMATION 5
#define IDS_FUEL_TITLE 6
#define IDS_FUEL_OK 7
#define IDS_FUEL_VERSION 8
#define IDS_FUEL_APPLICATION 9
#define IDS_FUEL_PRODUCT 10
#define IDS_FUEL_ABOUT_TITLE 11
#define IDS_FUEL_TIP_AC_CUSTOMIZED 12
#define IDS_FUEL_TIP_BATTERY_CUSTOMIZED 13
#define IDS_FUEL_TIP_AC_PERFORMANCE 14
#define IDS_FUEL_TIP_BATTERY_PERFORMANCE 15
#define IDS_FUEL_TIP_AC_LIFE 16
#define IDS_FUEL_TIP_BATTERY_LIFE 17
#define IDS_FUEL_MENU_ABOUT 18
#define IDS_FUEL_MENU_CLOSE 19
#define IDS_FUEL_MENU_RESTORE 20
#define IDS_FUEL_MENU_HELP 21
#define IDS_FUEL_TIP_PERCENT 22
#define IDS_FUEL_PERCENT 23
#define IDS_FUEL_TIP_UNKNOWN 24

// What the user is told when no help opens.
#define IDS_HELP_NOT_SET_UP 40
#define IDS_HELP_NOT_FOUND 41
#define IDS_HELP_NOT_OPENED 42
