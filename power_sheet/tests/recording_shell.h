// A Corvessa shell for the in-process tests: it records what the pages ask of
// Windows and does none of it.
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
    void ShowPopupHelp(HWND, const char* helpFile, DWORD context) override { popupHelp.push_back({helpFile, context}); }
    bool StartProgram(const char* commandLine) override {
        started.push_back(commandLine);
        return startSucceeds;
    }
    int ShowMessageBox(HWND, const std::string& text, UINT) override {
        messages.push_back(text);
        return IDOK;
    }

    std::vector<Help> popupHelp;
    std::vector<std::string> started;
    std::vector<std::string> messages;
    bool startSucceeds = true;  // false: as for a program that does not exist
};
