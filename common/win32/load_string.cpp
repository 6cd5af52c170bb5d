#include "common/win32/load_string.h"

std::string LoadStr(UINT id) { return LoadStr(GetModuleHandleA(nullptr), id); }

std::string LoadStr(HINSTANCE module, UINT id) {
    // A string table entry holds at most 65535 characters; grow until it fits.
    for (int size = 256; size <= 65536; size *= 2) {
        std::string text(static_cast<std::size_t>(size), '\0');
        const int length = LoadStringA(module, id, text.data(), size);
        if (length <= 0) return {};
        if (length < size - 1) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
    }
    return {};
}
