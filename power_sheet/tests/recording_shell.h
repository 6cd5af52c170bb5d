// A Corvessa shell for the in-process tests: it records what the pages ask of
// Windows and does none of it; the help reader answers helpAnswer.
#pragma once

#include <string>
#include <vector>

#include "power_sheet/shell/corvessa_shell.h"

class RecordingShell final : public CorvessaShell {
public:
    struct Help {
        std::string file;
        DWORD context;
    };
    bool ShowPopupHelp(HWND, const char* helpFile, DWORD context) override {
        popupHelp.push_back({helpFile, context});
        return helpAnswer;
    }
    bool StartProgram(const char* commandLine) override {
        started.push_back(commandLine);
        return startSucceeds;
    }
    int ShowMessageBox(HWND, UINT, const std::string& text, UINT) override {
        messages.push_back(text);
        return IDOK;
    }

    std::vector<Help> popupHelp;
    std::vector<std::string> messages;
    std::vector<std::string> started;
    bool startSucceeds = true;  // false: as for a program that does not exist
    bool helpAnswer = true;     // false: as for a reader that does not take the request
};
