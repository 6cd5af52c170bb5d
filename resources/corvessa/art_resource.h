// Resource numbers of the Power Mode page's icons (drawn by draw_art.py).
#pragma once

// Power-mode pictures: a tap above the power source.
#define IDI_CORVESSA_BATTERY_PERFORMANCE 133  // full flow, battery
#define IDI_CORVESSA_BATTERY_LIFE        135  // dripping, battery
#define IDI_CORVESSA_BATTERY_CUSTOMIZED  137  // hand on the handle, battery
#define IDI_CORVESSA_AC_PERFORMANCE      144  // full flow, plug
#define IDI_CORVESSA_AC_LIFE             145  // dripping, plug
#define IDI_CORVESSA_AC_CUSTOMIZED       147  // hand on the handle, plug

// Row decorations of the "Setting details" frame.
#define IDI_CORVESSA_TIMER               139  // hourglass: the timer rows
#define IDI_CORVESSA_PROCESSOR           140  // chip: processor speed
#define IDI_CORVESSA_CDROM               142  // CD-ROM drive: CD-ROM speed
