// Panelora.cpl: the Control Panel applet library. Its one applet lives as
// long as the library is loaded.
#include <windows.h>
#include <cpl.h>

#include "control_panel_applet/applet/configuration_applet.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
WindowsAppletShell shell;
ConfigurationApplet applet(reinterpret_cast<HINSTANCE>(&__ImageBase), shell);
}  // namespace

extern "C" LONG APIENTRY CPlApplet(HWND window, UINT message, LPARAM lParam1, LPARAM lParam2) {
    return AnswerControlPanel(window, message, lParam1, lParam2);
}
