#include "hotkey_service/service/last_error_text.h"

#include <windows.h>

const char* LastErrorText(char (&buffer)[kErrorTextSize]) {
    const DWORD error = GetLastError();
    char* systemText = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&systemText), 0, nullptr);
    FormatErrorText(length != 0 ? systemText : nullptr, error, buffer);
    if (systemText != nullptr) LocalFree(systemText);
    return buffer;
}
