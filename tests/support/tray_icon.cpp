#include "tests/support/tray_icon.h"

#include <shellapi.h>

bool ShellHoldsIcon(HWND owner, UINT id, const char* tip) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = NIF_TIP;
    lstrcpynA(data.szTip, tip, sizeof data.szTip);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}
