// The device pages over the machine model, opened through the page table as
// the switches, the menu and the view open them: what they check at opening,
// what they write on OK, the restart prompt, control panels and What's This.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win32/controls.h"
#include "config_utility/frame/main_frame.h"
#include "config_utility/pages/page_commands.h"
#include "config_utility/shell/merovant_shell.h"
#include "config_utility/tests/merovant_test_fixture.h"
#include "config_utility/tests/page_script.h"
#include "tests/support/help_files.h"
#include "resources/merovant/resource.h"

namespace {

constexpr std::uint32_t kPorts = kSmiFunctionPorts;
constexpr std::uint32_t kPower = kSmiFunctionPower;
constexpr std::uint32_t kDisplay = kSmiFunctionDisplay;

struct Sent {
    std::uint32_t eax, ebx, ecx;
    bool operator==(const Sent&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Sent& s) {
    return out << std::hex << "{" << s.eax << ", " << s.ebx << ", " << s.ecx << "}";
}

using StateChange = void (*)(MachineState&);

struct Reading {
    StateChange set;
    std::vector<int> checked;  // the radio buttons checked at opening
};

struct Choice {
    StateChange set;
    std::vector<int> clicks;  // then OK
    std::vector<Sent> sent;   // exactly these writes, in this order
};

struct PageCase {
    const char* name;
    PageNumber page;
    int command;
    const char* caption;
    bool restartPrompt;
    std::vector<int> radios;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> reads;  // failing them checks nothing
    std::vector<Reading> readings;
    std::vector<Choice> choices;
    std::vector<std::pair<int, std::string>> controlPanels;
};

const std::vector<PageCase>& Pages() {
    static const std::vector<PageCase> pages = {
        {"Glidenub", kPageGlidenub, ID_PAGE_GLIDENUB, "Glidenub", true,
         {IDC_GLIDENUB_ENABLE, IDC_GLIDENUB_DISABLE},
         {{kDisplay, 0x0210}},
         {{[](MachineState& s) { s.glidenub = 1; }, {IDC_GLIDENUB_ENABLE}},
          {[](MachineState& s) { s.glidenub = 0; }, {IDC_GLIDENUB_DISABLE}},
          {[](MachineState& s) { s.glidenub = 5; }, {}}},
         {{[](MachineState& s) { s.glidenub = 1; }, {IDC_GLIDENUB_DISABLE}, {{kDisplay, 0x0010, 0}}},
          {[](MachineState& s) { s.glidenub = 1; }, {IDC_GLIDENUB_ENABLE}, {{kDisplay, 0x0110, 0}}}},
         {{IDC_MOUSE_PROPERTIES, "rundll32.exe shell32.dll,Control_RunDLL main.cpl @0"}}},
        {"Audio", kPageAudio, ID_PAGE_AUDIO, "Audio", false, {}, {}, {}, {},
         {{IDC_SOUND_PROPERTIES, "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl @1"},
          {IDC_MULTIMEDIA_PROPERTIES, "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl"}}},
        {"Infrared", kPageInfrared, ID_PAGE_INFRARED, "Infrared", true,
         {IDC_INFRARED_ENABLE, IDC_INFRARED_DISABLE},
         {{kPorts, 0x0029}},
         {{[](MachineState& s) { s.infrared = 1; }, {IDC_INFRARED_ENABLE}},
          {[](MachineState& s) { s.infrared = 0; }, {IDC_INFRARED_DISABLE}},
          {[](MachineState& s) { s.infrared = 2; }, {}}},
         {{[](MachineState& s) { s.infrared = 1; }, {IDC_INFRARED_DISABLE}, {{kPorts, 0x0129, 0}}},
          {[](MachineState& s) { s.infrared = 1; }, {IDC_INFRARED_ENABLE}, {{kPorts, 0x0129, 1}}},
          // The last choice is the one written, once.
          {[](MachineState& s) { s.infrared = 0; }, {IDC_INFRARED_ENABLE, IDC_INFRARED_DISABLE, IDC_INFRARED_ENABLE},
           {{kPorts, 0x0129, 1}}}},
         {}},
        {"Serial Port", kPageSerialPort, ID_PAGE_SERIAL_PORT, "Serial Port", true,
         {IDC_SERIAL_PORT_ENABLE, IDC_SERIAL_PORT_DISABLE},
         {{kPorts, 0x0002}},
         {{[](MachineState& s) { s.serialPortStatus = 0; }, {IDC_SERIAL_PORT_ENABLE}},
          {[](MachineState& s) { s.serialPortStatus = kPortDisabled; }, {IDC_SERIAL_PORT_DISABLE}},
          {[](MachineState& s) { s.serialPortStatus = kPortLocked; }, {IDC_SERIAL_PORT_DISABLE}},
          {[](MachineState& s) { s.serialPortStatus = 0xFC; }, {IDC_SERIAL_PORT_ENABLE}}},
         {{[](MachineState& s) { s.serialPortStatus = 0; }, {IDC_SERIAL_PORT_DISABLE}, {{kPorts, 0x1002, 0}}},
          {[](MachineState& s) { s.serialPortStatus = kPortDisabled; }, {IDC_SERIAL_PORT_ENABLE},
           {{kPorts, 0x1102, 0}}},
          // Locked by the BIOS: the greyed buttons change nothing.
          {[](MachineState& s) { s.serialPortStatus = kPortLocked; },
           {IDC_SERIAL_PORT_ENABLE, IDC_SERIAL_PORT_DISABLE}, {}}},
         {}},
        {"Modem", kPageModem, ID_PAGE_MODEM, "Modem", false, {}, {}, {}, {},
         {{IDC_MODEM_PROPERTIES, "rundll32.exe shell32.dll,Control_RunDLL modem.cpl"}}},
        {"PC Card Slots", kPagePcCardSlots, ID_PAGE_PC_CARD_SLOTS, "PC Card Slots", false, {}, {},
         {}, {}, {{IDC_PC_CARD_STATUS, "rundll32.exe shell32.dll,Control_RunDLL devapps.cpl @0"}}},
        {"LCD", kPageLcd, ID_PAGE_LCD, "LCD", false,
         {IDC_SCREEN_BLANKING_ENABLE, IDC_SCREEN_BLANKING_DISABLE, IDC_BRIGHTNESS_HIGH, IDC_BRIGHTNESS_NORMAL,
          IDC_SCREEN_EXPANSION_ENABLE, IDC_SCREEN_EXPANSION_DISABLE},
         {{kPower, 0x020D}, {kPower, 0x0210}, {kDisplay, 0x0212}},
         {{[](MachineState& s) { s.screenBlank = 0, s.brightMode = 0, s.screenExpansion = 1; },
           {IDC_SCREEN_BLANKING_ENABLE, IDC_BRIGHTNESS_HIGH, IDC_SCREEN_EXPANSION_ENABLE}},
          {[](MachineState& s) { s.screenBlank = 1, s.brightMode = 1, s.screenExpansion = 0; },
           {IDC_SCREEN_BLANKING_DISABLE, IDC_BRIGHTNESS_NORMAL, IDC_SCREEN_EXPANSION_DISABLE}},
          // Other answers: "anything else" for blanking and brightness, neither for expansion.
          {[](MachineState& s) { s.screenBlank = 7, s.brightMode = 3, s.screenExpansion = 2; },
           {IDC_SCREEN_BLANKING_DISABLE, IDC_BRIGHTNESS_NORMAL}}},
         {// Clicked in reverse: written blanking, brightness, expansion.
          {[](MachineState& s) { s.screenBlank = 0, s.brightMode = 0, s.screenExpansion = 1; },
           {IDC_SCREEN_EXPANSION_DISABLE, IDC_BRIGHTNESS_NORMAL, IDC_SCREEN_BLANKING_DISABLE},
           {{kPower, 0x010D, 0}, {kPower, 0x0110, 0}, {kDisplay, 0x0012, 0}}},
          {[](MachineState& s) { s.screenBlank = 1, s.brightMode = 1, s.screenExpansion = 0; },
           {IDC_SCREEN_EXPANSION_ENABLE, IDC_BRIGHTNESS_HIGH},
           {{kPower, 0x0010, 0}, {kDisplay, 0x0112, 0}}},
          {[](MachineState& s) { s.screenBlank = 1; }, {IDC_SCREEN_BLANKING_ENABLE}, {{kPower, 0x000D, 0}}}},
         {{IDC_DISPLAY_PROPERTIES, "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3"}}},
        {"Accessibility Options", kPageAccessibility, ID_PAGE_ACCESSIBILITY,
         "Accessibility Options", false,
         {IDC_FN_KEY_LOCK_ENABLE, IDC_FN_KEY_LOCK_DISABLE},
         {{kPorts, 0x0220}},
         {{[](MachineState& s) { s.fnKeyLock = 1; }, {IDC_FN_KEY_LOCK_ENABLE}},
          {[](MachineState& s) { s.fnKeyLock = 0; }, {IDC_FN_KEY_LOCK_DISABLE}},
          {[](MachineState& s) { s.fnKeyLock = 9; }, {IDC_FN_KEY_LOCK_DISABLE}}},
         {{[](MachineState& s) { s.fnKeyLock = 0; }, {IDC_FN_KEY_LOCK_ENABLE}, {{kPorts, 0x0120, 0}}},
          {[](MachineState& s) { s.fnKeyLock = 0; }, {IDC_FN_KEY_LOCK_DISABLE}, {{kPorts, 0x0020, 0}}}},
         {{IDC_ACCESSIBILITY_PROPERTIES, "rundll32.exe shell32.dll,Control_RunDLL access.cpl"}}},
    };
    return pages;
}

class DevicePagesTest : public testing::Test {
protected:
    // Opens the page of the table row modally, as a page switch does; the
    // script's steps run inside it and must close it.
    void Open(const PageCase& page) {
        const PageCommand* row = FindPage(page.page);
        ASSERT_NE(row, nullptr);
        ASSERT_NE(row->open, nullptr) << page.name;
        row->open(context, nullptr);
    }
    std::vector<int> Checked(HWND dialog, const PageCase& page) const {
        std::vector<int> checked;
        for (int radio : page.radios)
            if (IsItemChecked(dialog, radio)) checked.push_back(radio);
        return checked;
    }
    std::vector<Sent> Logged() const {
        std::vector<Sent> sent;
        for (const SmiRequest& r : LoggedRequests(*model)) sent.push_back({r.Eax, r.Ebx, r.Ecx});
        return sent;
    }
    // Opens the page, clicks, presses OK; returns the writes sent.
    std::vector<Sent> ChooseAndOk(const PageCase& page, const std::vector<int>& clicks) {
        script.Then([&](HWND dialog) {
            model->ClearLog();
            for (int control : clicks) Click(dialog, control);
            EXPECT_TRUE(Logged().empty()) << "nothing is written before OK";
            Click(dialog, IDOK);
        });
        Open(page);
        return Logged();
    }

    std::unique_ptr<MachineModel> model = std::make_unique<MachineModel>();
    FailingModelTransport transport{*model};
    RecordingShell shell;
    HelpFileInPlace helpFile{OwnHelpFile()};
    MerovantContext context{GetModuleHandleA(nullptr), shell, {}, {}};
    PageScript script;
};

// F1 as the system reports it: WM_HELP to the window with the focus, which
// passes it up to its parent.
void PressF1On(HWND item, int contextType = HELPINFO_WINDOW) {
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = contextType;
    info.iCtrlId = GetDlgCtrlID(item);
    info.hItemHandle = item;
    GetCursorPos(&info.MousePos);
    SendMessageA(item, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

TEST_F(DevicePagesTest, OpeningShowsTheTextsAndChecksWhatTheMachineReports) {
    for (const PageCase& page : Pages()) {
        EXPECT_EQ(FindPageCommand(page.command), FindPage(page.page)) << page.name;
        for (const Reading& reading : page.readings) {
            model->state = MachineState();
            reading.set(model->state);
            script.Then([&](HWND dialog) {
                EXPECT_EQ(Checked(dialog, page), reading.checked) << page.name;
                Click(dialog, IDCANCEL);
            });
            Open(page);
        }
        // The texts come from the string table, and a failed read checks nothing.
        transport.failing = page.reads;
        model->state = MachineState();
        model->ClearLog();
        script.Then([&](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), page.caption);
            EXPECT_TRUE(ShowsProgramIcon(dialog)) << page.name;
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), "OK") << page.name;
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDCANCEL)), "Cancel") << page.name;
            for (const auto& [control, command] : page.controlPanels)
                EXPECT_FALSE(WindowText(GetDlgItem(dialog, control)).empty()) << page.name << " " << control;
            EXPECT_EQ(Checked(dialog, page), std::vector<int>{}) << page.name;
            Click(dialog, IDOK);
        });
        Open(page);
        transport.failing.clear();
        EXPECT_EQ(Logged(), std::vector<Sent>{}) << page.name << ": nothing is written at opening";
    }
    EXPECT_EQ(shell.restartPrompts, 0);
}

TEST_F(DevicePagesTest, OkWritesEachChangedSettingOnceInOrderAndPromptsWhereThePageHasIt) {
    for (const PageCase& page : Pages()) {
        for (const Choice& choice : page.choices) {
            model->state = MachineState();
            choice.set(model->state);
            shell.restartPrompts = 0;
            EXPECT_EQ(ChooseAndOk(page, choice.clicks), choice.sent) << page.name;
            EXPECT_EQ(shell.restartPrompts, page.restartPrompt && !choice.sent.empty() ? 1 : 0) << page.name;
        }
        // OK without a change, and Cancel after one, write nothing and ask nothing.
        shell.restartPrompts = 0;
        EXPECT_EQ(ChooseAndOk(page, {}), std::vector<Sent>{}) << page.name;
        if (!page.radios.empty()) {
            script.Then([&](HWND dialog) {
                model->ClearLog();
                Click(dialog, page.radios[0]);
                Click(dialog, page.radios[1]);
                Click(dialog, IDCANCEL);
            });
            Open(page);
            EXPECT_EQ(Logged(), std::vector<Sent>{}) << page.name;
        }
        EXPECT_EQ(shell.restartPrompts, 0) << page.name;
    }
}

TEST_F(DevicePagesTest, LockedSerialPortGreysBothButtons) {
    const PageCase& serial = Pages()[3];
    model->state.serialPortStatus = kPortLocked | kPortDisabled;
    script.Then([&](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SERIAL_PORT_ENABLE)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SERIAL_PORT_DISABLE)));
        // A click that reaches the page anyway changes nothing.
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SERIAL_PORT_ENABLE, BN_CLICKED), 0);
        Click(dialog, IDOK);
    });
    model->ClearLog();
    Open(serial);
    EXPECT_EQ(CountRequests(*model, kPorts, 0x1102), 0);
    EXPECT_EQ(shell.restartPrompts, 0);
}

TEST_F(DevicePagesTest, RestartPromptOkRestartsAndCancelKeepsTheWrittenSetting) {
    const PageCase& infrared = Pages()[2];
    shell.restartAnswer = IDCANCEL;
    EXPECT_EQ(ChooseAndOk(infrared, {IDC_INFRARED_DISABLE}), (std::vector<Sent>{{kPorts, 0x0129, 0}}));
    EXPECT_EQ(shell.restartPrompts, 1);
    EXPECT_EQ(shell.restarts, 0);
    EXPECT_EQ(model->state.infrared, 0) << "written; it takes effect at the next start";

    shell.restartAnswer = IDOK;
    ChooseAndOk(infrared, {IDC_INFRARED_ENABLE});
    EXPECT_EQ(shell.restartPrompts, 2);
    EXPECT_EQ(shell.restarts, 1);
    EXPECT_EQ(model->state.infrared, 1);
}

TEST_F(DevicePagesTest, ControlPanelButtonsStartTheirPanelAndKeepThePageOpen) {
    for (const PageCase& page : Pages()) {
        for (const auto& [control, command] : page.controlPanels) {
            shell.started.clear();
            script.Then([&](HWND dialog) {
                Click(dialog, control);
                EXPECT_TRUE(IsWindow(dialog));
                EXPECT_EQ(shell.started, std::vector<std::string>{command}) << page.name;
                Click(dialog, IDCANCEL);
            });
            Open(page);
        }
    }
}

TEST_F(DevicePagesTest, WhatsThisAsksForTheControlOrThePage) {
    struct Case {
        std::size_t page;
        int control;  // 0: a spot with no control
        DWORD context;
    };
    const Case cases[] = {
        {2, IDC_INFRARED_ENABLE, 0x50400},
        {2, IDC_INFRARED_GROUP, 0x50000 + IDC_INFRARED_GROUP},
        {2, 0, 0x200A0},
        {7, 0, 0x200A8},
        {7, IDC_ACCESSIBILITY_PROPERTIES, 0x50000 + IDC_ACCESSIBILITY_PROPERTIES},
        {3, IDC_SERIAL_PORT_DISABLE, 0x50000 + IDC_SERIAL_PORT_DISABLE},  // greyed, still found
    };
    model->state.serialPortStatus = kPortLocked;
    for (const Case& c : cases) {
        std::string item;
        script.Then([&](HWND dialog) {
            POINT spot = ControlCentre(dialog, c.control);
            if (c.control == 0) {
                spot = {4, 4};  // inside the client area, left of every control
                ClientToScreen(dialog, &spot);
            }
            // The menu's loop takes the next step: read the item, choose it.
            script.Then([&](HWND) {
                item = MenuText(OpenShortcutMenu(), ID_WHATS_THIS);
                EndMenu();
            });
            const HWND target = c.control != 0 ? GetDlgItem(dialog, c.control) : dialog;
            SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target), MAKELPARAM(spot.x, spot.y));
            SendMessageA(dialog, WM_COMMAND, ID_WHATS_THIS, 0);
            Click(dialog, IDCANCEL);
        });
        Open(Pages()[c.page]);
        EXPECT_EQ(item, "What's This ?");
        ASSERT_EQ(shell.help.size(), 1u) << c.context;
        EXPECT_EQ(shell.help[0].command, static_cast<UINT>(HELP_CONTEXTPOPUP));
        EXPECT_EQ(shell.help[0].context, c.context);
        EXPECT_EQ(shell.help[0].file, helpFile.path());
        shell.help.clear();
    }
}

TEST_F(DevicePagesTest, F1ShowsThePopupOfTheFocusedControlOrOfThePage) {
    struct Case {
        std::size_t page;
        int control;  // 0: the page itself
        DWORD context;
    };
    const Case cases[] = {
        {2, IDC_INFRARED_ENABLE, 0x50400},
        {2, 0, 0x200A0},
        {7, IDOK, 0x50001},
        {7, IDC_ACCESSIBILITY_PROPERTIES, 0x50000 + IDC_ACCESSIBILITY_PROPERTIES},
    };
    for (const Case& c : cases) {
        script.Then([&](HWND dialog) {
            PressF1On(c.control != 0 ? GetDlgItem(dialog, c.control) : dialog);
            Click(dialog, IDCANCEL);
        });
        Open(Pages()[c.page]);
        ASSERT_EQ(shell.help.size(), 1u) << c.context;
        EXPECT_EQ(shell.help[0].command, static_cast<UINT>(HELP_CONTEXTPOPUP));
        EXPECT_EQ(shell.help[0].context, c.context);
        EXPECT_EQ(shell.help[0].file, helpFile.path());
        EXPECT_NE(shell.help[0].owner, nullptr);
        shell.help.clear();
    }

    // F1 while the What's This menu is open asks about the spot it was opened for.
    script.Then([&](HWND dialog) {
        const POINT spot = ControlCentre(dialog, IDC_INFRARED_DISABLE);
        script.Then([&](HWND menuOwner) {
            PressF1On(menuOwner, HELPINFO_MENUITEM);
            EndMenu();
        });
        SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_INFRARED_DISABLE)),
                     MAKELPARAM(spot.x, spot.y));
        Click(dialog, IDCANCEL);
    });
    Open(Pages()[2]);
    ASSERT_EQ(shell.help.size(), 1u);
    EXPECT_EQ(shell.help[0].context, 0x50000u + IDC_INFRARED_DISABLE);
}

TEST_F(DevicePagesTest, MenuCommandOpensThePageOwnedByTheFrame) {
    ScratchMachineKey registry;
    CMainFrame frame(context);
    ASSERT_TRUE(frame.Create(SW_HIDE));
    HWND owner = nullptr;
    script.Then([&](HWND dialog) {
        owner = GetWindow(dialog, GW_OWNER);
        Click(dialog, IDCANCEL);
    });
    SendMessageA(frame.hwnd(), WM_COMMAND, ID_PAGE_INFRARED, 0);
    EXPECT_EQ(owner, frame.hwnd());
    DestroyWindow(frame.hwnd());
}

TEST_F(DevicePagesTest, RestartPromptShowsItsTextsAndAnswers) {
    WindowsMerovantShell windows;
    for (int answer : {IDOK, IDCANCEL}) {
        script.Then([&](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), "Configuration settings change");
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_RESTART_REASON)),
                      "The hardware settings have changed. You must restart your computer for these changes to "
                      "take effect.");
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_RESTART_QUESTION)),
                      "Do you want to restart your computer now ?");
            Click(dialog, answer);
        });
        EXPECT_EQ(windows.ConfirmRestart(nullptr), answer == IDOK);
    }
}

}  // namespace
