// Resource number of the control panel applet's icon (drawn by draw_art.py).
#pragma once

#define IDI_PANELORA_APPLET 132  // the applet's icon in the Control Panel
