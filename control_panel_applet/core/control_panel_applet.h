// The Control Panel's side of an applet library: the one applet object of the
// library and the table that routes the Control Panel's messages to it.
#pragma once

#include <cstddef>
#include <cstdint>

// The Control Panel's messages.
enum AppletMessage : unsigned {
    kAppletInit = 1,
    kAppletGetCount = 2,
    kAppletInquire = 3,
    kAppletSelect = 4,
    kAppletDoubleClick = 5,
    kAppletStop = 6,
    kAppletExit = 7,
    kAppletNewInquire = 8,
    kAppletStartWithParametersA = 9,
    kAppletStartWithParametersW = 10,
};

// The applet base class. Constructing one records it as the library's applet,
// to which DispatchAppletMessage forwards every message. window is the
// Control Panel's window.
class ControlPanelApplet {
public:
    ControlPanelApplet();
    virtual ~ControlPanelApplet();
    ControlPanelApplet(const ControlPanelApplet&) = delete;
    ControlPanelApplet& operator=(const ControlPanelApplet&) = delete;

    virtual std::int32_t OnDoubleClick(void* window, std::intptr_t lParam1, std::intptr_t lParam2);
    virtual std::int32_t OnExit();
    virtual std::int32_t OnGetCount();
    virtual std::int32_t OnInit();
    virtual std::int32_t OnNewInquire(std::intptr_t lParam1, std::intptr_t lParam2);
    virtual std::int32_t OnSelect(std::intptr_t lParam1, std::intptr_t lParam2);
    virtual std::int32_t OnStop(std::intptr_t lParam1, std::intptr_t lParam2);
};

// What the library's entry point answers: the applet's answer for the
// messages it handles; 0 for CPL_INQUIRE (the applet describes itself on
// CPL_NEWINQUIRE); 0 for CPL_STARTWPARMS, which the applet does not take, so
// that a host starting it with parameters ("control FILE.cpl") opens it with
// CPL_DBLCLK instead; 1 for any other message. With no applet, CPL_INIT fails
// (0), so the Control Panel unloads the library.
std::int32_t DispatchAppletMessage(void* window, unsigned message, std::intptr_t lParam1, std::intptr_t lParam2);

// The number of bytes of text that fit a field of fieldSize bytes with its
// terminating zero, never ending inside a double-byte character
// (isLeadByte tells the first byte of one in the text's code page).
std::size_t FittingLength(const char* text, std::size_t fieldSize, bool (*isLeadByte)(unsigned char));
