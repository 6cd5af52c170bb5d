// Panelora.cpl: the Control Panel applet library. Its one applet lives as
// long as the library is loaded.
#include <windows.h>
#include <cpl.h>

#include "control_panel_applet/applet/configuration_applet.h"
#include "control_panel_applet/shell/panelora_shell.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
ConfigurationApplet applet(reinterpret_cast<HINSTANCE>(&__ImageBase), ProgramShell());
}  // namespace

extern "C" LONG APIENTRY CPlApplet(HWND window, UINT message, LPARAM lParam1, LPARAM lParam2) {
    return AnswerControlPanel(window, message, lParam1, lParam2);
}
