#include "control_panel_applet/core/control_panel_applet.h"

namespace {
ControlPanelApplet* theApplet = nullptr;
}

ControlPanelApplet::ControlPanelApplet() { theApplet = this; }

ControlPanelApplet::~ControlPanelApplet() {
    if (theApplet == this) theApplet = nullptr;
}

std::int32_t ControlPanelApplet::OnDoubleClick(void*, std::intptr_t, std::intptr_t) { return 0; }
std::int32_t ControlPanelApplet::OnExit() { return 0; }
std::int32_t ControlPanelApplet::OnGetCount() { return 1; }
std::int32_t ControlPanelApplet::OnInit() { return 1; }
std::int32_t ControlPanelApplet::OnNewInquire(std::intptr_t, std::intptr_t) { return 0; }
std::int32_t ControlPanelApplet::OnSelect(std::intptr_t, std::intptr_t) { return 1; }
std::int32_t ControlPanelApplet::OnStop(std::intptr_t, std::intptr_t) { return 1; }

std::int32_t DispatchAppletMessage(void* window, unsigned message, std::intptr_t lParam1, std::intptr_t lParam2) {
    ControlPanelApplet* applet = theApplet;
    if (applet == nullptr) return message == kAppletInit ? 0 : 1;
    switch (message) {
        case kAppletInit:
            return applet->OnInit();
        case kAppletGetCount:
            return applet->OnGetCount();
        case kAppletInquire:
            return 0;
        case kAppletSelect:
            return applet->OnSelect(lParam1, lParam2);
        case kAppletDoubleClick:
            return applet->OnDoubleClick(window, lParam1, lParam2);
        case kAppletStop:
            return applet->OnStop(lParam1, lParam2);
        case kAppletExit:
            return applet->OnExit();
        case kAppletNewInquire:
            return applet->OnNewInquire(lParam1, lParam2);
        case kAppletStartWithParametersA:
        case kAppletStartWithParametersW:
            return 0;
        default:
            return 1;
    }
}

std::size_t FittingLength(const char* text, std::size_t fieldSize, bool (*isLeadByte)(unsigned char)) {
    if (fieldSize == 0) return 0;
    std::size_t length = 0;
    while (text[length] != '\0') {
        const bool pair = isLeadByte(static_cast<unsigned char>(text[length])) && text[length + 1] != '\0';
        const std::size_t character = pair ? 2 : 1;
        if (length + character > fieldSize - 1) break;
        length += character;
    }
    return length;
}
