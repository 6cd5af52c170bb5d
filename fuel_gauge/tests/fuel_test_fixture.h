// What fuel's Windows tests share: a shell that records instead of acting,
// a way to run test code inside a modal loop, and the gauge window over the
// machine model with a scratch registry key.
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
#include "tests/support/window_text.h"

// Records the side effects; message boxes answer `answer`.
class RecordingFuelShell final : public FuelShell {
public:
    int ShowMessageBox(HWND, const std::string& text, const std::string& caption, UINT type) override {
        messages.push_back(caption + ": " + text);
        types.push_back(type);
        return answer;
    }
    void OpenHelp(HWND, const char* helpFile) override { help.emplace_back(helpFile); }
    void CloseHelp(HWND) override { ++helpClosed; }

    std::vector<std::string> messages;
    std::vector<UINT> types;
    std::vector<std::string> help;
    int helpClosed = 0;
    int answer = IDOK;
};

// Runs body on this thread from the next modal message loop (a thread timer
// that the loop dispatches), so a test can drive a modal window from inside.
void WhenModal(std::function<void()> body);

// Dispatches what is queued for this thread.
void PumpMessages();

class GaugeOverModel : public testing::Test {
protected:
    // Opens the gauge window modally, runs body inside it and closes it.
    void RunGauge(const std::function<void(CFuelWindow&, HWND)>& body);
    static void Tick(HWND gauge, UINT timer) { SendMessageA(gauge, WM_TIMER, timer, 0); }
    // The SetPowerMode requests the model received, as (selector, mode).
    std::vector<std::pair<int, int>> PowerModeSwitches() const;

    std::unique_ptr<MachineModel> model = std::make_unique<MachineModel>();
    FailingModelTransport transport{*model};
    ScratchMachineKey registry;
    RecordingFuelShell shell;
    HINSTANCE instance = GetModuleHandleA(nullptr);
};
