#include "hotkey_service/launch/hotkey_messages.h"

#include <cstring>

#include "resources/pressmon/resource.h"

namespace {

// A message's own text is cut at 100 characters; its tails follow it.
constexpr int kStringLimit = 100;

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

void LoadMessageCaption(PressmonContext& context) {
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_NOTIFICATION_CAPTION, context.messageCaption,
                    sizeof context.messageCaption) == 0)
        context.messageCaption[0] = '\0';
}

void ShowHotkeyMessage(const PressmonContext& context, UINT id, const char* tail, const char* tail2, UINT style,
                       HWND owner) {
    char text[kStringLimit + 256];
    if (LoadStringA(GetModuleHandleA(nullptr), id, text, kStringLimit + 1) == 0) text[0] = '\0';
    Append(text, sizeof text, tail);
    Append(text, sizeof text, tail2);
    context.shell.ShowMessageBox(owner, text, context.messageCaption, style);
}
