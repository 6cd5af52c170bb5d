// Resource ids of Panelora, shared by the .rc files and the code.
// Plain #defines only: windres reads this file too.
#pragma once

#include "art_resource.h"  // IDI_PANELORA_APPLET 132

// The applet's name and description in the Control Panel.
#define IDS_APPLET_NAME 1
#define IDS_APPLET_DESCRIPTION 2
// "Program" names nothing that can be started.
#define IDS_PROGRAM_UNUSABLE 10
