// What merovant's Windows tests share: a shell that records instead of acting
// and the main frame over the machine model (tests/support has the model's
// failing transport, the scratch registry and the request log).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "config_utility/frame/main_frame.h"
#include "config_utility/shell/merovant_shell.h"
#include "resources/merovant/resource.h"
#include "simulator/model/machine_model.h"
#include "simulator/model/model_transport.h"
#include "tests/support/help_files.h"
#include "tests/support/machine_fixture.h"

// Records the side effects; message boxes answer `answer`, the restart
// prompt `restartAnswer`, the help reader `helpAnswer`.
class RecordingShell final : public MerovantShell {
public:
    struct Help {
        HWND owner;
        std::string file;
        UINT command;
        DWORD context;
    };
    bool StartProgram(const char* commandLine) override {
        started.emplace_back(commandLine);
        return startSucceeds;
    }
    bool OpenHelp(HWND owner, const char* helpFile, UINT command, DWORD context) override {
        help.push_back({owner, helpFile, command, context});
        return helpAnswer;
    }
    bool ConfirmRestart(HWND) override {
        ++restartPrompts;
        return restartAnswer == IDOK;
    }
    int ShowMessageBox(HWND, const std::string& text, UINT) override {
        messages.push_back(text);
        if (onMessage) onMessage();
        return answer;
    }
    void RestartWindows() override { ++restarts; }

    std::vector<std::string> started;
    std::vector<Help> help;
    std::vector<std::string> messages;
    std::function<void()> onMessage;  // runs while a message box would be open
    int restarts = 0;
    int answer = IDOK;
    bool startSucceeds = true;  // false: as for a program that does not exist
    int restartPrompts = 0;
    int restartAnswer = IDOK;  // the restart prompt's answer
    bool helpAnswer = true;    // whether the help reader takes a request
};

// Whether window's large and small icons are merovant's program icon in the
// sizes the system shows (the icons shared with every window that shows them).
inline bool ShowsProgramIcon(HWND window) {
    const auto programIcon = [](int widthMetric, int heightMetric) {
        return reinterpret_cast<LRESULT>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                                    IMAGE_ICON, GetSystemMetrics(widthMetric),
                                                    GetSystemMetrics(heightMetric), LR_SHARED));
    };
    const LRESULT big = SendMessageA(window, WM_GETICON, ICON_BIG, 0);
    const LRESULT small = SendMessageA(window, WM_GETICON, ICON_SMALL, 0);
    return big != 0 && big == programIcon(SM_CXICON, SM_CYICON) && small == programIcon(SM_CXSMICON, SM_CYSMICON);
}

// A main frame over the in-process machine model, with a scratch registry key,
// the recording shell and a help file where the program looks for its own:
// what the frame's and the view's tests start from.
// Frames are created hidden: a shown window costs Wine seconds to take down
// without a window manager.
class FrameOverModel : public testing::Test {
protected:
    void CreateFrame() {
        frame = std::make_unique<CMainFrame>(context);
        ASSERT_TRUE(frame->Create(SW_HIDE));
    }

    std::unique_ptr<MachineModel> model = std::make_unique<MachineModel>();
    FailingModelTransport transport{*model};
    ScratchMachineKey registry;
    RecordingShell shell;
    HelpFileInPlace helpFile{OwnHelpFile()};
    MerovantContext context{GetModuleHandleA(nullptr), shell, {}, {}};
    std::unique_ptr<CMainFrame> frame;
};
