// The applet that the Control Panel shows as "Merovant Configuration": its
// double click starts merovant from the shared key.
#pragma once

#include <windows.h>
#include <cpl.h>

#include "control_panel_applet/core/control_panel_applet.h"
#include "control_panel_applet/shell/panelora_shell.h"

// The record of CPL_NEWINQUIRE as the Control Panel passes it: 244 bytes on
// Windows 4.0 (byte-packed, so 252 where pointers are 64-bit).
static_assert(sizeof(void*) != 4 || sizeof(NEWCPLINFOA) == 244);
static_assert(sizeof(void*) != 8 || sizeof(NEWCPLINFOA) == 252);
static_assert(sizeof(NEWCPLINFOA::szName) == 32 && sizeof(NEWCPLINFOA::szInfo) == 64 &&
              sizeof(NEWCPLINFOA::szHelpFile) == 128);
static_assert(kAppletInit == CPL_INIT && kAppletGetCount == CPL_GETCOUNT && kAppletInquire == CPL_INQUIRE &&
              kAppletSelect == CPL_SELECT && kAppletDoubleClick == CPL_DBLCLK && kAppletStop == CPL_STOP &&
              kAppletExit == CPL_EXIT && kAppletNewInquire == CPL_NEWINQUIRE &&
              kAppletStartWithParametersA == CPL_STARTWPARMSA && kAppletStartWithParametersW == CPL_STARTWPARMSW);
static_assert(sizeof(void*) != 4 || sizeof(CPLINFO) == 16);

class ConfigurationApplet final : public ControlPanelApplet {
public:
    // resources: the module whose icon 132 and strings 1 and 2 describe the applet.
    ConfigurationApplet(HINSTANCE resources, PaneloraShell& shell) : resources_(resources), shell_(shell) {}

    // Reads "Program" and "CurrentPath" afresh and starts merovant; says so
    // over window when "Program" is missing or starts nothing.
    std::int32_t OnDoubleClick(void* window, std::intptr_t lParam1, std::intptr_t lParam2) override;
    // Fills the NEWCPLINFOA at lParam2: icon, name and description.
    std::int32_t OnNewInquire(std::intptr_t lParam1, std::intptr_t lParam2) override;

private:
    HINSTANCE resources_;
    PaneloraShell& shell_;
};

// The library's answer to one message of the Control Panel. On CPL_INQUIRE
// the record says only that everything comes with CPL_NEWINQUIRE (a host
// may hand over a record it did not clear).
LONG AnswerControlPanel(HWND window, UINT message, LPARAM lParam1, LPARAM lParam2);

// Copies text into a field of fieldSize bytes, cut to fit with its
// terminating zero and never inside a double-byte character of the system
// code page.
void CopyToField(char* field, std::size_t fieldSize, const char* text);
