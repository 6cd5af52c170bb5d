#include "config_utility/core/page_switch.h"

namespace {

struct PageKeyword {
    const char* keyword;
    PageNumber page;
};

constexpr PageKeyword kKeywords[] = {
    {"GNUB", kPageGlidenub},      {"AUDIO", kPageAudio},
    {"IR", kPageInfrared},        {"MIDI", kPageMidi},
    {"PARA", kPageParallelPort},  {"SERIAL", kPageSerialPort},
    {"MODEM", kPageModem},        {"PCI", kPagePciDeviceSetup},
    {"PCCARD", kPagePcCardSlots}, {"POWER", kPagePower},
    {"LCD", kPageLcd},            {"DISPLAY", kPageDisplay},
    {"ACCESS", kPageAccessibility}, {"SYSINFO", kPageSystemInformation},
    {"HELP", kPageHelp},
};

// Keywords are plain ASCII; the comparison folds ASCII letters only, so the
// answer does not depend on the code page.
char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsKeyword(const char* text, const char* keyword) {
    for (; *keyword != '\0'; ++text, ++keyword) {
        if (FoldCase(*text) != *keyword) return false;
    }
    return *text == '\0';
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// atoi's reading (leading blanks, one sign, digits up to the first other
// character), except that it stops counting once the value is past any page
// number, so no input can overflow.
PageNumber PageFromNumber(const char* text) {
    while (IsSpace(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = (*text++ == '-');
    int value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > kMainWindow) return kNoPage;
    }
    if (negative || value < kPageGlidenub) return kNoPage;
    return static_cast<PageNumber>(value);
}

}  // namespace

PageNumber PageFromSwitch(const char* request) {
    for (const PageKeyword& k : kKeywords) {
        if (EqualsKeyword(request, k.keyword)) return k.page;
    }
    return PageFromNumber(request);
}

PageNumber ParsePageSwitches(std::size_t count, const char* const* arguments) {
    PageNumber page = kMainWindow;
    for (std::size_t i = 0; i < count; ++i) {
        const char* argument = arguments[i];
        if (argument == nullptr) continue;
        if (argument[0] == '/' || argument[0] == '-') page = PageFromSwitch(argument + 1);
    }
    return page;
}
