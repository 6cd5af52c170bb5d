#include "control_panel_applet/applet/configuration_applet.h"

#include <cstring>

#include "common/win32/configuration_key.h"
#include "common/win32/load_string.h"
#include "resources/panelora/resource.h"

namespace {
bool IsLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }
}  // namespace

void CopyToField(char* field, std::size_t fieldSize, const char* text) {
    if (fieldSize == 0) return;
    const std::size_t length = FittingLength(text, fieldSize, IsLeadByte);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

LONG AnswerControlPanel(HWND window, UINT message, LPARAM lParam1, LPARAM lParam2) {
    if (message == CPL_INQUIRE && lParam2 != 0) {
        auto* info = reinterpret_cast<CPLINFO*>(lParam2);
        info->idIcon = CPL_DYNAMIC_RES;
        info->idName = CPL_DYNAMIC_RES;
        info->idInfo = CPL_DYNAMIC_RES;
        info->lData = 0;
    }
    return DispatchAppletMessage(window, message, lParam1, lParam2);
}

std::int32_t ConfigurationApplet::OnDoubleClick(void* window, std::intptr_t, std::intptr_t) {
    char program[kConfigurationValueSize] = {};
    char currentPath[kConfigurationValueSize] = {};
    ConfigurationKey key;
    if (key.Open()) {
        key.ReadString("Program", program);
        key.ReadString("CurrentPath", currentPath);
    }
    if (program[0] != '\0' && shell_.StartProgram(program, currentPath[0] != '\0' ? currentPath : nullptr)) return 0;
    // A missing or unreadable "Program", or one that starts nothing.
    shell_.ShowMessageBox(static_cast<HWND>(window), LoadStr(resources_, IDS_PROGRAM_UNUSABLE),
                          LoadStr(resources_, IDS_APPLET_NAME), MB_OK | MB_ICONEXCLAMATION);
    return 0;
}

std::int32_t ConfigurationApplet::OnNewInquire(std::intptr_t, std::intptr_t lParam2) {
    auto* info = reinterpret_cast<NEWCPLINFOA*>(lParam2);
    if (info == nullptr) return 1;
    info->dwSize = sizeof(NEWCPLINFOA);
    info->dwFlags = 0;
    info->dwHelpContext = 0;
    info->lData = 0;
    info->hIcon = LoadIconA(resources_, MAKEINTRESOURCEA(IDI_PANELORA_APPLET));
    char text[256];
    if (LoadStringA(resources_, IDS_APPLET_NAME, text, sizeof text) <= 0) text[0] = '\0';
    CopyToField(info->szName, sizeof info->szName, text);
    if (LoadStringA(resources_, IDS_APPLET_DESCRIPTION, text, sizeof text) <= 0) text[0] = '\0';
    CopyToField(info->szInfo, sizeof info->szInfo, text);
    info->szHelpFile[0] = '\0';
    return 0;
}
