#include "hotkey_service/launch/audio_player.h"

#include "common/win32/registry_string.h"
#include "common/win32/unique_handle.h"
#include "hotkey_service/core/hotkey_event.h"
#include "hotkey_service/core/player_command.h"
#include "hotkey_service/launch/hotkey_messages.h"
#include "resources/pressmon/resource.h"

namespace {

constexpr char kPlayCommandKey[] = "SOFTWARE\\CLASSES\\ESSPlayList\\shell\\Play\\command";
constexpr char kPlayerWindowTitle[] = "AudioRack32";
constexpr DWORD kPlayerStartWait = 1500;

}  // namespace

void ControlAudioPlayer(const PressmonContext& context, int keyNumber) {
    UniqueRegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPlayCommandKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        ShowHotkeyMessage(context, IDS_ERROR_OPENING_KEY, kPlayCommandKey, ".");
        return;
    }
    char commandLine[2048];
    if (!ReadRegistryString(key.get(), nullptr, commandLine)) {
        ShowHotkeyMessage(context, IDS_ERROR_QUERYING, "Can't get Audio Rack RegistryKey.");
        return;
    }
    key.reset();
    CutAfterExe(commandLine);

    HWND player = FindWindowA(nullptr, kPlayerWindowTitle);
    const UINT command = RegisterWindowMessageA("Audio AppMes");
    if (player == nullptr) {
        WinExec(commandLine, SW_SHOWNORMAL);
        Sleep(kPlayerStartWait);
        player = FindWindowA(nullptr, kPlayerWindowTitle);
        if (player == nullptr) return;
    }
    std::uint32_t wParam = 0;
    if (AudioPlayerCommand(keyNumber, wParam)) PostMessageA(player, command, wParam, 0);
}
