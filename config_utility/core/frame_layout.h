// The arithmetic of merovant's main frame: its size and place on the screen,
// the toolbar's button styles and groups, and the menu-title padding rule.
#pragma once

#include <cstdint>

#include "machine_control/core/machine_values.h"

// The system metrics the size depends on.
struct FrameMetrics {
    int borderWidth;    // SM_CXBORDER
    int borderHeight;   // SM_CYBORDER
    int captionHeight;  // SM_CYCAPTION
    int menuHeight;     // SM_CYMENU
    int screenWidth;    // SM_CXSCREEN
    int screenHeight;   // SM_CYSCREEN
};

struct FrameBounds {
    int left;
    int top;
    int width;
    int height;
};

// The fixed-size main window, centred on the screen.
FrameBounds MainFrameBounds(const FrameMetrics& metrics);

// How the toolbar shows each of its 27 entries.
enum class ToolbarEntryStyle { CheckGroup, Separator, Button };

inline constexpr int kToolbarEntryCount = 27;

ToolbarEntryStyle ToolbarEntryStyleAt(int index);

// The toolbar resource for a power source: 176 on external power, 170 on
// battery, 0 (no toolbar) for any other answer.
int ToolbarResourceFor(std::uint8_t powerSource);

// The power-mode group of a power source: the commands for modes 0, 1 and 2.
struct PowerModeGroup {
    std::uint8_t selector;
    int commands[3];
};
// nullptr for an unknown power source.
const PowerModeGroup* PowerModeGroupFor(std::uint8_t powerSource);
// The group a power-mode command belongs to and the mode it selects; false for
// any other command.
bool PowerModeOfCommand(int command, const PowerModeGroup*& group, std::uint8_t& mode);

// The display group's button for an output, 0 for another value.
int DisplayButtonFor(std::uint8_t display);
// The blanking group's button for a GetScreenBlank answer, 0 for another value.
int ScreenBlankButtonFor(std::uint8_t state);

// Top-level menu titles get one space before and after under the system
// languages whose menus the framework draws too tightly: "0404", "0C04", "0c04".
bool PadsMenuTitles(const char* systemLanguageId);
