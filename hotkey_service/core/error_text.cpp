#include "hotkey_service/core/error_text.h"

#include <cstdio>
#include <cstring>

void FormatErrorText(const char* systemText, std::uint32_t code, char (&out)[kErrorTextSize]) {
    out[0] = '\0';
    if (systemText == nullptr) return;
    const std::size_t length = std::strlen(systemText);
    if (length < 2 || length + 14 > kErrorTextSize) return;
    std::snprintf(out, kErrorTextSize, "%.*s (0x%x)", static_cast<int>(length - 2), systemText,
                  static_cast<unsigned>(code));
}
