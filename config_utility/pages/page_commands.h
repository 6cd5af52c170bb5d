// What merovant does for each page: one table, shared by the command-line
// switches, the menu and the machine view's buttons.
#pragma once

#include <windows.h>

#include "config_utility/core/page_switch.h"
#include "config_utility/shell/merovant_context.h"

// Opens a page modally over owner (nullptr for a page started by a switch), or
// starts the program the page stands for.
using PageHandler = void (*)(MerovantContext& context, HWND owner);

struct PageCommand {
    PageNumber page;     // the switch's page number, kNoPage when there is none
    int command;         // the menu command, 0 when there is none
    PageHandler open;    // nullptr while the page does not exist
};

// The row of a page number or a menu command; nullptr when there is none.
const PageCommand* FindPage(PageNumber page);
const PageCommand* FindPageCommand(int command);

// Acts on a page request of the command line. Returns false when there was
// nothing to do (no such page, or MIDI, or kNoPage).
bool OpenPage(MerovantContext& context, PageNumber page);
