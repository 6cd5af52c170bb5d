#include "hotkey_service/device/hotkey_worker.h"

#include "common/win32/registry_string.h"
#include "common/win32/unique_handle.h"
#include "hotkey_service/launch/audio_player.h"
#include "hotkey_service/device/hotkey_device.h"
#include "hotkey_service/core/hotkey_event.h"
#include "hotkey_service/launch/hotkey_messages.h"
#include "hotkey_service/launch/key_launch.h"
#include "hotkey_service/service/service_key.h"
#include "hotkey_service/service/service_status.h"
#include "hotkey_service/core/setup_block.h"
#include "hotkey_service/launch/shutdown_machine.h"
#include "resources/pressmon/resource.h"

namespace {

// Each service value is read with a 10-byte buffer; a longer one counts as missing.
constexpr DWORD ServiceValueSize = 10;

// At start the hot-key driver may still be loading: its device is tried for
// this long, start-pending, before the service gives up.
constexpr DWORD DeviceWaitMs = 30000;
constexpr DWORD DeviceRetryMs = 500;

// Set once the worker has returned: a stop then has nothing to wait for.
// One aligned word, written by the worker's thread and read by the control
// handler's.
volatile LONG workerReturned = 0;

bool WaitForHotkeyDevice() {
    const DWORD started = GetTickCount();
    while (!OpenHotkeyDevice()) {
        if (GetTickCount() - started >= DeviceWaitMs) return false;
        Sleep(DeviceRetryMs);
        // Each report moves the checkpoint on: the manager sees the start progress.
        if (!ReportServiceStatus(SERVICE_START_PENDING, NO_ERROR, PendingWaitHint)) return false;
    }
    return true;
}

// Reads the service key's values into the set-up block; shows the message of
// the first failure.
bool ReadSetupBlock(HotkeySetupBlock* block) {
    UniqueRegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, HotkeyServiceKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        ShowHotkeyMessage(IDS_ERROR_OPENING_KEY, HotkeyServiceKey, ".");
        return false;
    }
    char function[ServiceValueSize], number[ServiceValueSize], playstation[ServiceValueSize],
        shutdown[ServiceValueSize];
    HotkeyServiceValues values;
    if (ReadRegistryString(key.get(), "Function", function)) values.function = function;
    if (ReadRegistryString(key.get(), "Number", number)) values.number = number;
    if (ReadRegistryString(key.get(), "Playstation", playstation)) values.playstation = playstation;
    if (ReadRegistryString(key.get(), "Shutdown", shutdown)) values.shutdown = shutdown;
    BYTE pollingTime[ServiceValueSize];
    DWORD pollingSize = sizeof pollingTime;
    if (RegQueryValueExA(key.get(), "PollingTime", nullptr, nullptr, pollingTime, &pollingSize) == ERROR_SUCCESS) {
        values.pollingTime = pollingTime;
        values.pollingTimeSize = pollingSize;
    }
    const char* missing = nullptr;
    if (!BuildHotkeySetupBlock(values, block, &missing)) {
        ShowHotkeyMessage(IDS_ERROR_QUERYING, missing, ".");
        return false;
    }
    return true;
}

void HandleHotkeyEvent() {
    HotkeyEventBlock event{};
    if (!GetHotkeyEvent(&event)) return;
    const int keyNumber = KeyNumberFromMask(event.keyMask);
    const char keyDigit = static_cast<char>('0' + keyNumber);
    switch (ActionForKey(event.group, keyNumber)) {
    case HotkeyAction::ReleaseAndShutdown:
        if (SendHotkeyRelease()) ShutdownMachine(EWX_SHUTDOWN);
        break;
    case HotkeyAction::ForceShutdown:
        ShutdownMachine(EWX_SHUTDOWN | EWX_FORCE);
        break;
    case HotkeyAction::ControlAudioPlayer:
        ControlAudioPlayer(keyNumber);
        break;
    case HotkeyAction::LaunchFunctionProgram:
        LaunchKeyProgram(true, keyDigit);
        break;
    case HotkeyAction::LaunchNumberProgram:
        LaunchKeyProgram(false, keyDigit);
        break;
    }
}

}  // namespace

static void RunHotkeyWorker(DWORD argc, char** argv);

void HotkeyWorker(DWORD argc, char** argv) {
    workerReturned = 0;
    RunHotkeyWorker(argc, argv);
    workerReturned = 1;
}

bool HotkeyWorkerReturned() { return workerReturned != 0; }

static void RunHotkeyWorker(DWORD, char**) {
    if (!ReportServiceStatus(SERVICE_START_PENDING, NO_ERROR, PendingWaitHint)) {
        CloseHotkeyChannel();
        return;
    }
    const bool deviceOpen = WaitForHotkeyDevice();
    if (!ReportServiceStatus(SERVICE_RUNNING, NO_ERROR, 0)) {
        CloseHotkeyChannel();
        return;
    }
    LoadMessageCaption();
    if (!deviceOpen) {
        ShowHotkeyMessage(IDS_ERROR_OPENING_DRIVER);
        return;
    }
    if (!OpenHotkeyEvent()) {
        ShowHotkeyMessage(IDS_ERROR_OPENING_EVENT);
        return;
    }
    HotkeySetupBlock block{};
    if (!ReadSetupBlock(&block)) return;
    if (!SendHotkeySetup(&block)) return;

    for (;;) {
        switch (WaitForHotkeyEvent()) {
        case HotkeyWait::Event:
            HandleHotkeyEvent();
            break;
        case HotkeyWait::Stopped:
            return;
        case HotkeyWait::Other:
            break;
        }
    }
}

void StopWorker() {
    ReportServiceStatus(SERVICE_STOP_PENDING, NO_ERROR, PendingWaitHint);
    CloseHotkeyChannel();
    ReportServiceStatus(SERVICE_STOP_PENDING, NO_ERROR, PendingWaitHint);
}
