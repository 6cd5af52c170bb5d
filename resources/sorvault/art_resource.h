// Resource numbers of the save-to-disk utility's icon and legend bitmaps
// (drawn by draw_art.py).
#pragma once

#define IDI_SORVAULT_PROGRAM 128  // window icon of both dialogs

// Colour legends beside the value fields, in the pie chart's colours.
#define IDB_SORVAULT_LEGEND_FILE 129  // green: hibernation file or partition
#define IDB_SORVAULT_LEGEND_FREE 130  // magenta: free space, rest of the disk
#define IDB_SORVAULT_LEGEND_USED 131  // blue: used space
