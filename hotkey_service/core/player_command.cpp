#include "hotkey_service/core/player_command.h"

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

void CutAfterExe(char* commandLine) {
    for (char* p = commandLine; *p != '\0'; ++p) {
        if (Lower(p[0]) == 'e' && Lower(p[1]) == 'x' && Lower(p[2]) == 'e') {
            p[3] = '\0';
            return;
        }
    }
}
