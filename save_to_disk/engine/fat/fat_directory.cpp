#include "save_to_disk/engine/fat/fat_directory.h"

bool MakeShortName(const char* path, char out[11]) {
    const char* name = std::strrchr(path, '\\');
    name = name ? name + 1 : path;
    std::memset(out, ' ', 11);
    size_t i = 0;
    size_t limit = 8;
    size_t pos = 0;
    bool sawDot = false;
    for (const char* p = name; *p; ++p) {
        char c = *p;
        if (c == '.') {
            if (sawDot || pos == 0) return false;
            sawDot = true;
            i = 8;
            limit = 11;
            continue;
        }
        if (i >= limit || c == ' ' || c == '*' || c == '?' || c == '/' || c == ':') return false;
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        out[i++] = c;
        ++pos;
    }
    return pos > 0 && !(sawDot && i == 8);
}
