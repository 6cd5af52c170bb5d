// What merovant's Windows tests share: the machine model behind the request
// library, a shell that records instead of acting, and a scratch registry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "config_utility/main_frame.h"
#include "config_utility/merovant_shell.h"
#include "simulator/machine_model.h"
#include "simulator/model_transport.h"

// Records the side effects; message boxes answer `answer`, the restart
// prompt `restartAnswer`.
class RecordingShell final : public MerovantShell {
public:
    struct Help {
        HWND owner;
        std::string file;
        DWORD context;
    };
    void StartProgram(const char* commandLine) override { started.emplace_back(commandLine); }
    void OpenHelp(HWND owner, const char* helpFile, DWORD context) override {
        help.push_back({owner, helpFile, context});
    }
    void ShowPopupHelp(HWND owner, const char* helpFile, DWORD context) override {
        popupHelp.push_back({owner, helpFile, context});
    }
    bool ConfirmRestart(HWND) override {
        ++restartPrompts;
        return restartAnswer == IDOK;
    }
    int ShowMessageBox(HWND, const std::string& text, UINT) override {
        messages.push_back(text);
        return answer;
    }
    void RestartWindows() override { ++restarts; }

    std::vector<std::string> started;
    std::vector<Help> help;
    std::vector<Help> popupHelp;
    std::vector<std::string> messages;
    int restarts = 0;
    int answer = IDOK;
    int restartPrompts = 0;
    int restartAnswer = IDOK;  // the restart prompt's answer
};

// The model's transport, with chosen operations failing: a request whose Eax
// and Ebx match an entry gets no answer.
class FailingModelTransport final : public SmiTransport {
public:
    explicit FailingModelTransport(MachineModel& model) : inner_(model) { previous_ = SetSmiTransport(this); }
    ~FailingModelTransport() { SetSmiTransport(previous_); }
    FailingModelTransport(const FailingModelTransport&) = delete;
    FailingModelTransport& operator=(const FailingModelTransport&) = delete;

    Bool32 Open() override { return inner_.Open(); }
    Bool32 Close() override { return inner_.Close(); }
    Bool32 Exchange(const SmiRequest& request, SmiRequest& reply) override {
        for (const auto& [eax, ebx] : failing)
            if (request.Eax == eax && request.Ebx == ebx) return 0;
        return inner_.Exchange(request, reply);
    }

    std::vector<std::pair<std::uint32_t, std::uint32_t>> failing;

private:
    ModelTransport inner_;
    SmiTransport* previous_ = nullptr;
};

// HKEY_LOCAL_MACHINE redirected to an empty scratch key for the test's life.
class ScratchMachineKey {
public:
    ScratchMachineKey();
    ~ScratchMachineKey();
    ScratchMachineKey(const ScratchMachineKey&) = delete;
    ScratchMachineKey& operator=(const ScratchMachineKey&) = delete;

    // Writes a value of the configuration key.
    void SetConfigurationValue(const char* name, const char* value);

private:
    HKEY root_ = nullptr;
};

// The request the model received, in order.
std::vector<SmiRequest> LoggedRequests(const MachineModel& model);
// How often the model received a request with these words.
int CountRequests(const MachineModel& model, std::uint32_t eax, std::uint32_t ebx, std::uint32_t ecx = 0,
                  std::uint32_t edx = 0);

// A main frame over the in-process machine model, with a scratch registry key
// and the recording shell: what the frame's and the view's tests start from.
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
    MerovantContext context{GetModuleHandleA(nullptr), shell, {}, {}};
    std::unique_ptr<CMainFrame> frame;
};
