#include "hotkey_service/core/pressmon_options.h"

namespace {

bool EqualsIgnoringCase(const char* text, const char* lowerWord) {
    for (;; ++text, ++lowerWord) {
        char c = *text;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != *lowerWord) return false;
        if (c == '\0') return true;
    }
}

}  // namespace

PressmonCommand ParsePressmonCommand(int argc, const char* const* argv) {
    if (argc < 2 || argv[1] == nullptr) return PressmonCommand::Dispatch;
    const char* option = argv[1];
    if (option[0] != '-' && option[0] != '/') return PressmonCommand::Dispatch;
    const char* word = option + 1;
    if (EqualsIgnoringCase(word, "install")) return PressmonCommand::Install;
    if (EqualsIgnoringCase(word, "remove")) return PressmonCommand::Remove;
    if (EqualsIgnoringCase(word, "debug")) return PressmonCommand::Debug;
    return PressmonCommand::Dispatch;
}
