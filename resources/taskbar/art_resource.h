// Resource number of the tray launcher's icon (drawn by draw_art.py).
#pragma once

#define IDI_TASKBAR_TRAY 129  // tray icon, and the main window's big and small icon
