// Resource numbers and names of the fuel gauge's icons and bitmaps (drawn by
// draw_art.py).
#pragma once

// Program icon: window, About box, and the tray while on AC power.
#define IDI_FUEL_PROGRAM 128

// Tray icons on battery power, by remaining charge.
#define IDI_FUEL_TRAY_LEVEL0 184  // 0 to 9 %
#define IDI_FUEL_TRAY_LEVEL1 185  // 10 to 30 %
#define IDI_FUEL_TRAY_LEVEL2 186  // 31 to 50 %
#define IDI_FUEL_TRAY_LEVEL3 187  // 51 to 70 %
#define IDI_FUEL_TRAY_LEVEL4 188  // 71 to 90 %
#define IDI_FUEL_TRAY_LEVEL5 189  // 91 and above %

// Power-mode icon of the window, by power source and mode.
#define IDI_FUEL_AC_PERFORMANCE      138
#define IDI_FUEL_AC_LIFE             141
#define IDI_FUEL_AC_CUSTOMIZED       178
#define IDI_FUEL_BATTERY_PERFORMANCE 139
#define IDI_FUEL_BATTERY_LIFE        142
#define IDI_FUEL_BATTERY_CUSTOMIZED  179

// Battery pictures by tenth of charge (level 0 to 10), not charging.
#define IDB_FUEL_LEVEL0 205
#define IDB_FUEL_LEVEL1 185
#define IDB_FUEL_LEVEL2 187
#define IDB_FUEL_LEVEL3 189
#define IDB_FUEL_LEVEL4 191
#define IDB_FUEL_LEVEL5 193
#define IDB_FUEL_LEVEL6 195
#define IDB_FUEL_LEVEL7 197
#define IDB_FUEL_LEVEL8 199
#define IDB_FUEL_LEVEL9 201
#define IDB_FUEL_LEVEL10 203

// The same while charging.
#define IDB_FUEL_CHARGING0 204
#define IDB_FUEL_CHARGING1 184
#define IDB_FUEL_CHARGING2 186
#define IDB_FUEL_CHARGING3 188
#define IDB_FUEL_CHARGING4 190
#define IDB_FUEL_CHARGING5 192
#define IDB_FUEL_CHARGING6 194
#define IDB_FUEL_CHARGING7 196
#define IDB_FUEL_CHARGING8 198
#define IDB_FUEL_CHARGING9 200
#define IDB_FUEL_CHARGING10 202

// Charge unknown: the dashed outline.
#define IDB_FUEL_UNKNOWN 180

// The Suspend and Hibernate bitmap buttons go by name: released, pressed,
// focused.
#define IDB_FUEL_SUSPEND_UP    "SuspendUp"
#define IDB_FUEL_SUSPEND_DOWN  "SuspendDown"
#define IDB_FUEL_SUSPEND_FOCUS "SuspendFocus"
#define IDB_FUEL_HIBER_UP      "HiberUp"
#define IDB_FUEL_HIBER_DOWN    "HiberDown"
#define IDB_FUEL_HIBER_FOCUS   "HiberFocus"
