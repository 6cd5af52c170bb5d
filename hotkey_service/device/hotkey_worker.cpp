#include "hotkey_service/device/hotkey_worker.h"

#include "common/win32/registry_string.h"
#include "common/win32/unique_handle.h"
#include "hotkey_service/core/hotkey_event.h"
#include "hotkey_service/core/setup_block.h"
#include "hotkey_service/launch/audio_player.h"
#include "hotkey_service/launch/hotkey_messages.h"
#include "hotkey_service/launch/key_launch.h"
#include "hotkey_service/launch/shutdown_machine.h"
#include "hotkey_service/service/service_names.h"
#include "resources/pressmon/resource.h"

namespace {

// Each service value is read with a 10-byte buffer; a longer one counts as missing.
constexpr DWORD kServiceValueSize = 10;

// At start the hot-key driver may still be loading: its device is tried for
// this long, start-pending, before the service gives up.
constexpr DWORD kDeviceWaitMs = 30000;
constexpr DWORD kDeviceRetryMs = 500;

}  // namespace

void HotkeyWorker::Run() {
    returned_ = 0;
    RunUntilStopped();
    returned_ = 1;
}

void HotkeyWorker::Stop() {
    status_.Report(SERVICE_STOP_PENDING, NO_ERROR, kPendingWaitHint);
    device_.Close();
    status_.Report(SERVICE_STOP_PENDING, NO_ERROR, kPendingWaitHint);
}

void HotkeyWorker::RunUntilStopped() {
    if (!status_.Report(SERVICE_START_PENDING, NO_ERROR, kPendingWaitHint)) {
        device_.Close();
        return;
    }
    const bool deviceOpen = WaitForDevice();
    if (!status_.Report(SERVICE_RUNNING, NO_ERROR, 0)) {
        device_.Close();
        return;
    }
    LoadMessageCaption(context_);
    if (!deviceOpen) {
        ShowHotkeyMessage(context_, IDS_ERROR_OPENING_DRIVER);
        return;
    }
    if (!device_.OpenKeyEvent()) {
        ShowHotkeyMessage(context_, IDS_ERROR_OPENING_EVENT);
        return;
    }
    HotkeySetupBlock block{};
    if (!ReadSetupBlock(block)) return;
    if (!device_.SendSetup(block)) return;

    for (;;) {
        switch (device_.WaitForKeyEvent()) {
        case HotkeyWait::Event:
            HandleEvent();
            break;
        case HotkeyWait::Stopped:
            return;
        case HotkeyWait::Other:
            break;
        }
    }
}

bool HotkeyWorker::WaitForDevice() {
    const DWORD started = GetTickCount();
    while (!device_.Open()) {
        if (GetTickCount() - started >= kDeviceWaitMs) return false;
        Sleep(kDeviceRetryMs);
        // Each report moves the checkpoint on: the manager sees the start progress.
        if (!status_.Report(SERVICE_START_PENDING, NO_ERROR, kPendingWaitHint)) return false;
    }
    return true;
}

// Reads the service key's values into the set-up block; shows the message of
// the first failure.
bool HotkeyWorker::ReadSetupBlock(HotkeySetupBlock& block) {
    UniqueRegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kHotkeyServiceKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        ShowHotkeyMessage(context_, IDS_ERROR_OPENING_KEY, kHotkeyServiceKey, ".");
        return false;
    }
    char function[kServiceValueSize], number[kServiceValueSize], playstation[kServiceValueSize],
        shutdown[kServiceValueSize];
    HotkeyServiceValues values;
    if (ReadRegistryString(key.get(), "Function", function)) values.function = function;
    if (ReadRegistryString(key.get(), "Number", number)) values.number = number;
    if (ReadRegistryString(key.get(), "Playstation", playstation)) values.playstation = playstation;
    if (ReadRegistryString(key.get(), "Shutdown", shutdown)) values.shutdown = shutdown;
    BYTE pollingTime[kServiceValueSize];
    DWORD pollingSize = sizeof pollingTime;
    if (RegQueryValueExA(key.get(), "PollingTime", nullptr, nullptr, pollingTime, &pollingSize) == ERROR_SUCCESS) {
        values.pollingTime = pollingTime;
        values.pollingTimeSize = pollingSize;
    }
    const char* missing = nullptr;
    if (!BuildHotkeySetupBlock(values, block, missing)) {
        ShowHotkeyMessage(context_, IDS_ERROR_QUERYING, missing, ".");
        return false;
    }
    return true;
}

void HotkeyWorker::HandleEvent() {
    HotkeyEventBlock event{};
    if (!device_.GetKeyEvent(event)) return;
    const HotkeyKey key = DecodeHotkeyEvent(event);
    switch (key.action) {
    case HotkeyAction::ReleaseAndShutdown:
        if (device_.SendRelease()) ShutdownMachine(context_.shell, EWX_SHUTDOWN);
        break;
    case HotkeyAction::ForceShutdown:
        ShutdownMachine(context_.shell, EWX_SHUTDOWN | EWX_FORCE);
        break;
    case HotkeyAction::ControlAudioPlayer:
        ControlAudioPlayer(context_, key.number);
        break;
    case HotkeyAction::LaunchFunctionProgram:
        LaunchKeyProgram(context_, true, key.digit);
        break;
    case HotkeyAction::LaunchNumberProgram:
        LaunchKeyProgram(context_, false, key.digit);
        break;
    }
}
