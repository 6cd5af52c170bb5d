// What fuel's Windows tests share: a shell that records instead of acting,
// a way to run test code inside a modal loop, and the gauge window over the
// machine model with a scratch registry key, on a Wine desktop whose
// notification area shows what the gauge puts there.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fuel_gauge/shell/fuel_shell.h"
#include "fuel_gauge/tray/fuel_window.h"
#include "simulator/model/machine_model.h"
#include "tests/support/machine_fixture.h"
#include "tests/support/notification_area.h"
#include "tests/support/window_text.h"

// Records the side effects; message boxes answer `answer`, the help reader
// `helpAnswer`.
class RecordingFuelShell final : public FuelShell {
public:
    int ShowMessageBox(HWND, const std::string& text, const std::string& caption, UINT type) override {
        messages.push_back(caption + ": " + text);
        types.push_back(type);
        return answer;
    }
    bool OpenHelp(HWND, const char* helpFile) override {
        help.emplace_back(helpFile);
        return helpAnswer;
    }
    void CloseHelp(HWND) override { ++helpClosed; }

    std::vector<std::string> messages;
    std::vector<UINT> types;
    std::vector<std::string> help;
    int helpClosed = 0;
    int answer = IDOK;
    bool helpAnswer = true;
};

// Runs body on this thread from the next modal message loop (a thread timer
// that the loop dispatches), so a test can drive a modal window from inside.
void WhenModal(std::function<void()> body);

// Dispatches what is queued for this thread.
void PumpMessages();

class GaugeOverModel : public testing::Test {
protected:
    // The tests of a process work on a Wine desktop of their own, whose
    // notification area holds no icon but the gauge's.
    static void SetUpTestSuite();
    static void TearDownTestSuite() { desktop.reset(); }
    void SetUp() override { ASSERT_TRUE(desktop && *desktop) << "no Wine desktop with a notification area"; }

    // Opens the gauge window modally, runs body inside it and closes it.
    void RunGauge(const std::function<void(HWND)>& body);
    static void Tick(HWND gauge, UINT timer) { SendMessageA(gauge, WM_TIMER, timer, 0); }
    // The SetPowerMode requests the model received, as (selector, mode).
    std::vector<std::pair<int, int>> PowerModeSwitches() const;

    // What the window shows: the battery picture and the power-mode icon are
    // those of the resources picture and icon.
    bool ShowsBattery(HWND gauge, int picture) const;
    bool ShowsModeIcon(HWND gauge, int icon) const;
    // What the notification area shows: the tips of its icons; its one icon
    // drawn as the resource icon (waiting a moment for the taskbar to paint).
    static std::vector<std::string> TrayTips();
    bool TrayShows(int icon) const;

    static inline std::unique_ptr<ShellDesktop> desktop;

    std::unique_ptr<MachineModel> model = std::make_unique<MachineModel>();
    FailingModelTransport transport{*model};
    ScratchMachineKey registry;
    RecordingFuelShell shell;
    HINSTANCE instance = GetModuleHandleA(nullptr);
};
