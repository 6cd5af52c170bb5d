// The machine view's layout and rules, free of Windows: the device slots with
// their controls and rectangles, the lamp rules, the switch buttons and the
// rule for painting the picture.
#pragma once

#include <cstdint>
#include <optional>

struct ViewRect {
    int left, top, right, bottom;
};

// How a slot's lamp is decided.
enum class LampRule : std::uint8_t {
    kAlwaysOn,
    kAlwaysOff,
    kGlidenub,      // GetGlidenubStatus: 1 on, 0 off, else unchanged
    kParallelPort,  // GetParallPortOpMode: bits 0 and 1 clear
    kSerialPort,    // GetSerialPortStatus(0): bits 0 and 1 clear
    kFnKeyLock,     // GetFnKeyLockstatus == 1
    kInfrared,      // GetInfraredStatus == 1
};

struct DeviceSlot {
    int button;       // control id
    int bitmap;       // button bitmap resource
    int lamp;         // lamp control id
    int tooltip;      // string id, 0 for the slot that is not created
    int command;      // the menu command the button dispatches, 0 for none
    LampRule rule;
    bool rightColumn;
};

inline constexpr int kDeviceSlotCount = 14;
inline constexpr int kUncreatedSlot = 6;
extern const DeviceSlot kDeviceSlots[kDeviceSlotCount];

// The button and the lamp of slot `slot` in a view `width` pixels wide.
ViewRect DeviceButtonRect(int slot, int width);
ViewRect LampRect(int slot, int width);

// The slot of a button control id, or of a menu command whose page can change
// a lamp; nullopt when there is none.
std::optional<int> SlotOfButton(int button);
std::optional<int> LampSlotOfCommand(int command);

// The lamp after a query answer: nullopt when the answer leaves it as it was.
std::optional<bool> LampFromGlidenub(std::uint8_t answer);
bool LampFromPortStatus(std::uint8_t status);
bool LampFromSwitch(std::uint8_t answer);

// The three pictures and their switch buttons. viewPicture is 1 + index,
// viewButton the index.
struct ViewSwitch {
    int button;       // control id
    const char* up;   // bitmap resource names
    const char* down;
    int tooltip;      // string id
    int picture;      // picture bitmap resource
    int menuCommand;  // View menu item
};
inline constexpr int kViewSwitchCount = 3;
extern const ViewSwitch kViewSwitches[kViewSwitchCount];
ViewRect ViewSwitchRect(int index, int width);
std::optional<int> ViewSwitchOfButton(int button);

// The picture window, the strip behind the switch buttons.
ViewRect PictureRect(int width, int height);
ViewRect SwitchStripRect(int width, int height);

// True when a bitmap `bitmapWidth` wide is copied 1:1 into a window
// `windowWidth` wide: it fits and is at most 1.2 times narrower. Otherwise it
// is stretched over the window.
bool PaintsUnscaled(int bitmapWidth, int windowWidth);
