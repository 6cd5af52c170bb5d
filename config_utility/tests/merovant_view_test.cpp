// The machine view inside the real frame, over the machine model: lamps, their
// refresh after a page, the switch buttons, the buttons' actions and hints.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "common/win32/load_string.h"
#include "config_utility/frame/main_frame.h"
#include "config_utility/tests/merovant_test_fixture.h"
#include "config_utility/tests/page_script.h"
#include "resources/merovant/resource.h"
#include "tests/support/wait_for.h"

namespace {

constexpr std::uint32_t kPorts = kSmiFunctionPorts;
constexpr std::uint32_t kDisplay = kSmiFunctionDisplay;

class MerovantViewTest : public FrameOverModel {
protected:
    void Create() {
        CreateFrame();
        ASSERT_NE(view().hwnd(), nullptr);
    }
    CMerovantView& view() { return frame->view(); }
    HWND Item(int id) { return GetDlgItem(view().hwnd(), id); }
    // The lamp of a slot as the control shows it.
    bool LampShown(int slot) {
        const auto image = reinterpret_cast<HBITMAP>(
            SendMessageA(Item(kDeviceSlots[slot].lamp), STM_GETIMAGE, IMAGE_BITMAP, 0));
        EXPECT_EQ(image, view().lampBitmap(view().lampOn(slot))) << "slot " << slot;
        return view().lampOn(slot);
    }
    void Click(int button) {
        SendMessageA(view().hwnd(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(button)));
    }
    void Press(int button) { SendMessageA(Item(button), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }
    void Release(int button) { SendMessageA(Item(button), WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }
    bool HeldDown(int button) { return (SendMessageA(Item(button), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }
    bool MenuChecked(int item) {
        return (GetMenuState(GetMenu(frame->hwnd()), item, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    std::string Status() {
        char text[128] = "";
        SendMessageA(frame->statusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }

};

TEST_F(MerovantViewTest, LampsFollowTheMachineAndAFailedQueryLeavesThemOff) {
    struct Case {
        const char* what;
        void (*set)(MachineState&);
        std::pair<std::uint32_t, std::uint32_t> failing;  // {0, 0}: nothing fails
        bool glidenub, parallel, serial, fnLock, infrared;
    };
    const Case cases[] = {
        {"all enabled", [](MachineState& s) { s.glidenub = 1, s.fnKeyLock = 1, s.infrared = 1; }, {},
         true, true, true, true, true},
        {"all disabled",
         [](MachineState& s) {
             s.glidenub = 0, s.parallelPortStatus = kPortDisabled, s.serialPortStatus = kPortDisabled,
             s.fnKeyLock = 0, s.infrared = 0;
         },
         {}, false, false, false, false, false},
        {"ports locked", [](MachineState& s) { s.parallelPortStatus = s.serialPortStatus = kPortLocked; }, {},
         true, false, false, false, true},
        {"other answers", [](MachineState& s) { s.glidenub = 2, s.fnKeyLock = 2, s.infrared = 3; }, {},
         false, true, true, false, false},
        {"glidenub fails", [](MachineState& s) { s.glidenub = 1; }, {kDisplay, 0x0210},
         false, true, true, false, true},
        {"parallel fails", [](MachineState&) {}, {kPorts, 0x0003}, true, false, true, false, true},
        {"serial fails", [](MachineState&) {}, {kPorts, 0x0002}, true, true, false, false, true},
        {"infrared fails", [](MachineState&) {}, {kPorts, 0x0029}, true, true, true, false, false},
        {"Fn lock fails", [](MachineState& s) { s.fnKeyLock = 1; }, {kPorts, 0x0220}, true, true, true, false, true},
    };
    for (const Case& c : cases) {
        model->state = MachineState{};
        c.set(model->state);
        transport.failing.clear();
        if (c.failing.first != 0) transport.failing = {c.failing};
        Create();
        EXPECT_EQ(LampShown(2), c.glidenub) << c.what;
        EXPECT_EQ(LampShown(4), c.parallel) << c.what;
        EXPECT_EQ(LampShown(5), c.serial) << c.what;
        EXPECT_EQ(LampShown(9), c.fnLock) << c.what;
        EXPECT_EQ(LampShown(13), c.infrared) << c.what;
        for (int slot : {0, 1, 3, 7, 8, 10, 11, 12}) EXPECT_TRUE(LampShown(slot)) << c.what << " slot " << slot;
        EXPECT_EQ(Item(IDC_VIEW_MIDI), nullptr);
        EXPECT_EQ(Item(IDC_LAMP_MIDI), nullptr);
        frame.reset();
    }
}

TEST_F(MerovantViewTest, LampChangesAfterItsPageWithoutARestart) {
    model->state.parallelPortStatus = kPortDisabled;
    model->state.infrared = 0;
    model->state.glidenub = 1;
    Create();
    ASSERT_FALSE(LampShown(4));
    ASSERT_FALSE(LampShown(13));
    model->state.parallelPortStatus = 0;
    model->state.infrared = 1;
    model->state.glidenub = 0;
    EXPECT_FALSE(LampShown(4)) << "lamps are not polled";

    // The pages open modally; each is cancelled from inside its loop.
    PageScript script;
    const auto cancel = [](HWND page) { SendMessageA(page, WM_COMMAND, IDCANCEL, 0); };
    script.Then(cancel);
    SendMessageA(frame->hwnd(), WM_COMMAND, ID_PAGE_PARALLEL_PORT, 0);  // the menu
    EXPECT_TRUE(LampShown(4));
    EXPECT_FALSE(LampShown(13));
    script.Then(cancel);
    Click(IDC_VIEW_INFRARED);  // the view's button
    EXPECT_TRUE(LampShown(13));
    EXPECT_TRUE(LampShown(2)) << "only the page's own lamp is read again";
    script.Then(cancel);
    Click(IDC_VIEW_GLIDENUB);
    EXPECT_FALSE(LampShown(2));
}

TEST_F(MerovantViewTest, SwitchButtonsHoldDownAtOnceAndTheClickSwitchesPictureAndMenu) {
    Create();
    EXPECT_EQ(view().viewPicture(), 1);
    EXPECT_EQ(view().pictureBitmap(), IDB_PICTURE_FRONT);
    EXPECT_TRUE(HeldDown(IDC_VIEW_FRONT));
    EXPECT_TRUE(MenuChecked(ID_VIEW_FRONT));

    Press(IDC_VIEW_REAR);
    EXPECT_TRUE(HeldDown(IDC_VIEW_REAR));
    EXPECT_FALSE(HeldDown(IDC_VIEW_FRONT)) << "the held-down state moves on the press";
    EXPECT_EQ(view().viewButton(), 1);
    EXPECT_EQ(view().pictureBitmap(), IDB_PICTURE_FRONT) << "the picture waits for the click";
    Release(IDC_VIEW_REAR);
    EXPECT_EQ(view().viewPicture(), 2);
    EXPECT_EQ(view().pictureBitmap(), IDB_PICTURE_REAR);
    EXPECT_TRUE(HeldDown(IDC_VIEW_REAR));
    EXPECT_TRUE(MenuChecked(ID_VIEW_REAR));
    EXPECT_FALSE(MenuChecked(ID_VIEW_FRONT));

    // Pressing the held-down button again changes nothing.
    Press(IDC_VIEW_REAR);
    Release(IDC_VIEW_REAR);
    EXPECT_EQ(view().viewButton(), 1);
    EXPECT_EQ(view().pictureBitmap(), IDB_PICTURE_REAR);
    EXPECT_TRUE(HeldDown(IDC_VIEW_REAR));
    EXPECT_FALSE(HeldDown(IDC_VIEW_FRONT));
    EXPECT_FALSE(HeldDown(IDC_VIEW_PORT_REPLICATOR));
    EXPECT_TRUE(MenuChecked(ID_VIEW_REAR));

    // The View menu moves the buttons too.
    SendMessageA(frame->hwnd(), WM_COMMAND, ID_VIEW_PORT_REPLICATOR, 0);
    EXPECT_EQ(view().viewPicture(), 3);
    EXPECT_EQ(view().pictureBitmap(), IDB_PICTURE_PORT_REPLICATOR);
    EXPECT_TRUE(HeldDown(IDC_VIEW_PORT_REPLICATOR));
    EXPECT_FALSE(HeldDown(IDC_VIEW_REAR));
    EXPECT_TRUE(MenuChecked(ID_VIEW_PORT_REPLICATOR));
    EXPECT_FALSE(MenuChecked(ID_VIEW_REAR));
    SendMessageA(frame->hwnd(), WM_COMMAND, ID_VIEW_FRONT, 0);
    EXPECT_TRUE(HeldDown(IDC_VIEW_FRONT));
    EXPECT_EQ(view().pictureBitmap(), IDB_PICTURE_FRONT);
}

TEST_F(MerovantViewTest, StatusBarHintsOverThreeButtonsAndABlankElsewhere) {
    Create();
    auto moveOver = [&](HWND window) { SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)); };
    moveOver(Item(IDC_VIEW_SYSTEM_INFORMATION));
    EXPECT_EQ(Status(), "Display BIOS Information");
    moveOver(Item(IDC_VIEW_PCI));
    EXPECT_EQ(Status(), "IRQ holder for PCI steering");
    moveOver(Item(IDC_VIEW_SYSTEM_INFORMATION));
    moveOver(Item(IDC_VIEW_POWER));
    EXPECT_EQ(Status(), " ");
    moveOver(Item(IDC_VIEW_PCI));
    moveOver(view().hwnd());
    EXPECT_EQ(Status(), " ");
    moveOver(Item(IDC_VIEW_PCI));
    moveOver(Item(IDC_VIEW_AUDIO));
    EXPECT_EQ(Status(), " ");
    moveOver(Item(IDC_VIEW_PCI));
    moveOver(Item(IDC_VIEW_PICTURE));
    EXPECT_EQ(Status(), " ");
    const LRESULT length = SendMessageA(frame->statusBar(), SB_GETTEXTLENGTHA, 0, 0);
    EXPECT_TRUE(HIWORD(length) & SBT_NOBORDERS) << "the hint is drawn without a border";
}

TEST_F(MerovantViewTest, ButtonsGoThroughTheFramesCommandsAndCarryTooltips) {
    Create();
    // The tooltips come from the work the frame posts itself once shown.
    EXPECT_EQ(view().tooltip(), nullptr) << "made before the first paint";
    ASSERT_TRUE(WaitFor([&] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        return view().tooltip() != nullptr;
    }));
    registry.SetConfigurationValue("Power", "C:\\Merovant\\corvessa.exe");
    Click(IDC_VIEW_POWER);
    Click(IDC_VIEW_EXTERNAL_DISPLAY);
    EXPECT_EQ(shell.started, (std::vector<std::string>{"C:\\Merovant\\corvessa.exe",
                                                       "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3"}));
    // Two pages keep their hint in the status bar while they are open.
    PageScript script;
    for (const auto& [button, hint] : {std::pair{IDC_VIEW_SYSTEM_INFORMATION, "Display BIOS Information"},
                                       std::pair{IDC_VIEW_PCI, "IRQ holder for PCI steering"}}) {
        std::string shown, caption;
        script.Then([&](HWND page) {
            shown = Status();
            caption = WindowText(page);
            SendMessageA(page, WM_COMMAND, IDOK, 0);
        });
        Click(button);
        EXPECT_EQ(shown, hint);
        EXPECT_FALSE(caption.empty()) << "the page was open";
        EXPECT_EQ(Status(), " ");
    }
    EXPECT_EQ(shell.started.size(), 2u);

    ASSERT_NE(view().tooltip(), nullptr);
    EXPECT_EQ(SendMessageA(view().tooltip(), TTM_GETTOOLCOUNT, 0, 0), 13 + 3);
    char text[80] = "";
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = view().hwnd();
    info.uId = reinterpret_cast<UINT_PTR>(Item(IDC_VIEW_PCI));
    info.lpszText = text;
    SendMessageA(view().tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, "PCI Device Setup");
    info.uId = reinterpret_cast<UINT_PTR>(Item(IDC_VIEW_PORT_REPLICATOR));
    SendMessageA(view().tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, "Port Replicator View");
    EXPECT_TRUE(shell.messages.empty()) << "the tooltip control was created";
}

}  // namespace
