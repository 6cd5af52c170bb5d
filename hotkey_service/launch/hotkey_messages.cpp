#include "hotkey_service/launch/hotkey_messages.h"

#include "hotkey_service/shell/pressmon_shell.h"
#include "resources/pressmon/resource.h"

#include <cstring>

namespace {

constexpr int StringLimit = 100;
char messageCaption[StringLimit + 1];

void Append(char* buffer, std::size_t size, const char* text) {
    const std::size_t used = std::strlen(buffer);
    if (used + 1 >= size) return;
    const std::size_t room = size - used - 1;
    const std::size_t length = std::strlen(text);
    const std::size_t copied = length < room ? length : room;
    std::memcpy(buffer + used, text, copied);
    buffer[used + copied] = '\0';
}

}  // namespace

void LoadMessageCaption() {
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_NOTIFICATION_CAPTION, messageCaption, sizeof messageCaption) == 0)
        messageCaption[0] = '\0';
}

void ShowHotkeyMessage(UINT id, const char* tail, const char* tail2, UINT style, HWND owner) {
    char text[StringLimit + 256];
    if (LoadStringA(GetModuleHandleA(nullptr), id, text, StringLimit + 1) == 0) text[0] = '\0';
    Append(text, sizeof text, tail);
    Append(text, sizeof text, tail2);
    SeamMessageBox(owner, text, messageCaption, style);
}
